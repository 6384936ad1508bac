#include "commands/ItemEditor.h"

#include <array>

#include "items/FilePaths.h"
#include "items/StoredAddress.h"
#include "platform/Clock.h"
#include "platform/FileInfo.h"
#include "settings/AppSettings.h"
#include "store/ChangeStep.h"
#include "store/Database.h"
#include "store/TreeWalk.h"
#include "text/Trim.h"
#include "text/Utf8.h"

namespace lh::commands {

namespace {

// Items moved to this category go in front of its first item, elsewhere after its last.
constexpr store::CategoryId kFrontInsertCategory = 4;

std::string cut(std::string_view s, std::size_t maxBytes) {
    return std::string(text::cutUtf8(s, maxBytes));
}

// The typed names of Add File: split at "|", blanks trimmed, empty parts dropped.
std::vector<std::string> splitNames(std::string_view typed) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= typed.size()) {
        const std::size_t bar = std::min(typed.find('|', start), typed.size());
        const std::string_view part = text::trimBlanks(typed.substr(start, bar - start));
        if (!part.empty()) {
            names.push_back(cut(items::cleanFileName(part), kFileNameMax));
        }
        start = bar + 1;
    }
    return names;
}

bool listed(const std::vector<store::ItemFields>& added, std::string_view name,
            std::string_view folder) {
    for (const store::ItemFields& fields : added) {
        if (items::sameFileText(fields.title, name) &&
            items::sameFileText(fields.location, folder)) {
            return true;
        }
    }
    return false;
}

std::string skippedMessage(std::size_t duplicates, std::size_t unreadable) {
    return "Skipped " + std::to_string(duplicates + unreadable) +
           " file(s): " + std::to_string(duplicates) + " already in the list, " +
           std::to_string(unreadable) + " cannot be opened.";
}

}  // namespace

store::DateTimeStamp createStamp(const platform::LocalTime& t) {
    return {static_cast<std::uint16_t>(t.year),
            static_cast<std::uint8_t>(t.month),
            static_cast<std::uint8_t>(t.day),
            static_cast<std::uint8_t>(t.hour),
            static_cast<std::uint8_t>(t.minute),
            static_cast<std::uint8_t>(t.second),
            0};
}

void moveItemToCategory(store::Database& db, const store::ItemRecord& item,
                        store::CategoryId target) {
    if (item.categoryId() == target) {
        return;
    }
    store::ItemId before = store::kNoItemId;
    if (target == kFrontInsertCategory) {
        const store::CategoryRecord* category = db.findCategory(target);
        if (category != nullptr && category->firstItem() != nullptr) {
            before = category->firstItem()->id();
        }
    }
    const std::array<store::ItemId, 1> ids{item.id()};
    db.moveItems(ids, target, before);
}

ItemEditor::ItemEditor(store::Database& db, Prompter& prompter, const platform::Clock& clock)
    : m_db(db), m_prompter(prompter), m_clock(clock) {}

void ItemEditor::startCall() {
    m_refused = ItemInput::None;
    m_added.clear();
    m_skipped = {};
}

DialogOutcome ItemEditor::refuse(std::string_view text, ItemInput input, Prompter::Icon icon) {
    m_refused = input;
    m_prompter.tell(std::string(text), icon);
    return DialogOutcome::KeepOpen;
}

bool ItemEditor::checkUrl(const UrlValues& values, std::string_view& title,
                          std::string_view& address) {
    title = text::trimLeadingBlanks(values.title);
    address = text::trimBlanks(values.address);
    if (title.empty()) {
        refuse(kInputTitleMessage, ItemInput::Title);
        return false;
    }
    if (address.empty()) {
        refuse(kInputUrlMessage, ItemInput::Address);
        return false;
    }
    if (const auto problem = items::storedAddressProblem(address)) {
        refuse(*problem, ItemInput::Address);
        return false;
    }
    return hasCategory(values.category);
}

bool ItemEditor::hasCategory(std::optional<store::CategoryId> category) const {
    return category && m_db.findCategory(*category) != nullptr;
}

DialogOutcome ItemEditor::addUrl(const UrlValues& values) {
    startCall();
    std::string_view title;
    std::string_view address;
    if (!checkUrl(values, title, address)) {
        return DialogOutcome::KeepOpen;
    }
    store::ItemFields fields;
    fields.flags = store::kKindUrl;
    fields.rate = values.rate;
    fields.title = cut(title, kNewTitleMax);
    fields.address = std::string(address);
    fields.comment = cut(values.memo, kCommentMax);
    fields.createTime = createStamp(m_clock.now());
    if (m_db.containsAddress(store::kRootId, fields.address)) {
        m_prompter.tell(std::string(kDuplicateUrlMessage));
        return DialogOutcome::Close;
    }
    const store::ChangeStep step(m_db, "Add URL '" + fields.title + "'");
    m_added.push_back(m_db.addItem(*values.category, fields)->id());
    return DialogOutcome::Close;
}

DialogOutcome ItemEditor::editUrl(store::ItemId id, const UrlValues& values) {
    m_refused = ItemInput::None;
    const store::ItemRecord* item = m_db.findItem(id);
    if (item == nullptr) {
        return DialogOutcome::Close;
    }
    std::string_view title;
    std::string_view address;
    if (!checkUrl(values, title, address)) {
        return DialogOutcome::KeepOpen;
    }
    store::ItemEdit edit;
    edit.rate = values.rate;
    // A title left as it was keeps its length; a changed one (case included) is cut.
    if (title != item->title()) {
        edit.title = cut(title, kEditedTitleMax);
    }
    edit.address = std::string(address);
    edit.comment = cut(values.memo, kCommentMax);
    const store::ChangeStep step(m_db, "Edit '" + std::string(item->title()) + "'");
    m_db.editItem(id, edit);
    moveItemToCategory(m_db, *item, *values.category);
    return DialogOutcome::Close;
}

bool ItemEditor::checkFolder(std::string_view typed, std::string& folder) {
    const std::string_view trimmed = text::trimBlanks(typed);
    if (trimmed.empty()) {
        refuse(kInputFilePathMessage, ItemInput::FilePath);
        return false;
    }
    const std::string_view limited = text::cutUtf8(trimmed, kFolderMax);
    if (!items::isValidFolder(limited)) {
        refuse(kInvalidFilePathMessage, ItemInput::FilePath);
        return false;
    }
    folder = items::cleanFolder(limited);
    return true;
}

bool ItemEditor::containsFile(std::string_view name, std::string_view folder) const {
    return store::walkSearchOrder(m_db.root(), [&](const store::CategoryRecord& c) {
        return store::walkItems(c, [&](const store::ItemRecord& item) {
            return item.kind() == store::kKindFile && items::sameFileText(item.title(), name) &&
                   items::sameFileText(item.location(), folder);
        });
    });
}

DialogOutcome ItemEditor::addFiles(const FileValues& values) {
    startCall();
    const std::vector<std::string> names = splitNames(values.names);
    if (names.empty()) {
        return refuse(kInputFileNameMessage, ItemInput::FileName);
    }
    std::string folder;
    if (!checkFolder(values.folder, folder)) {
        return DialogOutcome::KeepOpen;
    }
    // Every name is checked before any item is added.
    const store::DateTimeStamp now = createStamp(m_clock.now());
    std::vector<store::ItemFields> added;
    for (const std::string& name : names) {
        const auto size = items::openableFileSize(items::joinFolderAndName(folder, name));
        if (values.mustExist && !size) {
            return refuse(kFileMissingMessage, ItemInput::FileName);
        }
        if (containsFile(name, folder) || listed(added, name, folder)) {
            return refuse(kDuplicateFileMessage, ItemInput::FileName);
        }
        store::ItemFields fields;
        fields.flags = store::kKindFile;
        fields.rate = values.rate;
        fields.title = name;
        fields.location = folder;
        fields.comment = cut(values.memo, kCommentMax);
        fields.fileSize = size.value_or(0);
        fields.createTime = now;
        added.push_back(std::move(fields));
    }
    if (!hasCategory(values.category)) {
        return DialogOutcome::KeepOpen;
    }
    const store::ChangeStep step(
        m_db, added.size() == 1 ? "Add File '" + added[0].title + "'" : "Add Files");
    for (const store::ItemFields& fields : added) {
        m_added.push_back(m_db.addItem(*values.category, fields)->id());
    }
    return DialogOutcome::Close;
}

DialogOutcome ItemEditor::editFile(store::ItemId id, const FileValues& values) {
    m_refused = ItemInput::None;
    const store::ItemRecord* item = m_db.findItem(id);
    if (item == nullptr) {
        return DialogOutcome::Close;
    }
    const std::string_view typedName = text::trimBlanks(values.names);
    if (typedName.empty()) {
        return refuse(kInputFileNameMessage, ItemInput::FileName);
    }
    const std::string name = cut(items::cleanFileName(typedName), kFileNameMax);
    std::string folder;
    if (!checkFolder(values.folder, folder)) {
        return DialogOutcome::KeepOpen;
    }
    if (!hasCategory(values.category)) {
        return DialogOutcome::KeepOpen;
    }
    const bool renamed =
        !items::sameFileText(name, item->title()) || !items::sameFileText(folder, item->location());
    if (renamed && !renameOnDisk(*item, name, folder)) {
        return DialogOutcome::KeepOpen;
    }
    store::ItemEdit edit;
    edit.rate = values.rate;
    edit.title = name;
    edit.location = folder;
    edit.comment = cut(values.memo, kCommentMax);
    // A file renamed on disk cannot be renamed back by undo: such an edit is not recorded, and
    // the undo history goes with it.
    std::optional<store::ChangeStep> step;
    if (!renamed) {
        step.emplace(m_db, "Edit '" + std::string(item->title()) + "'");
    }
    m_db.editItem(id, edit);
    moveItemToCategory(m_db, *item, *values.category);
    return DialogOutcome::Close;
}

bool ItemEditor::renameOnDisk(const store::ItemRecord& item, const std::string& name,
                              const std::string& folder) {
    const std::string from = items::joinFolderAndName(item.location(), item.title());
    const items::PathEntry entry = items::entryAt(from);
    if (entry == items::PathEntry::None) {
        return true;  // nothing on disk to follow the record
    }
    // Only the item's own regular file moves, between plain names, and never over another file.
    const bool allowed = entry == items::PathEntry::RegularFile &&
                         items::isPlainFileName(item.title()) &&
                         items::isValidFolder(item.location()) && items::isPlainFileName(name);
    if (allowed && platform::renameNoReplace(from, items::joinFolderAndName(folder, name)) == 0) {
        return true;
    }
    refuse(kRenameFailedMessage, ItemInput::FileName);
    return false;
}

DialogOutcome ItemEditor::addBatch(const BatchValues& values) {
    startCall();
    if (!hasCategory(values.category)) {
        return refuse(kNoCategoryMessage, ItemInput::None);
    }
    const store::DateTimeStamp now = createStamp(m_clock.now());
    const std::string memo = cut(values.memo, kCommentMax);
    std::vector<store::ItemFields> added;
    std::size_t duplicates = 0;
    std::size_t unreadable = 0;
    // The bottom row first: the rows show the given files in reverse.
    for (auto row = values.rows.rbegin(); row != values.rows.rend(); ++row) {
        const std::string name = cut(row->name, kFileNameMax);
        const std::string folder = cut(row->folder, kFolderMax);
        if (containsFile(name, folder) || listed(added, name, folder)) {
            ++duplicates;
            continue;
        }
        const auto size = items::openableFileSize(items::joinFolderAndName(folder, name));
        if (!size) {
            ++unreadable;
            continue;
        }
        store::ItemFields fields;
        fields.flags = store::kKindFile;
        fields.rate = values.rate;
        fields.title = name;
        fields.location = folder;
        fields.comment = memo;
        fields.fileSize = *size;
        fields.createTime = now;
        added.push_back(std::move(fields));
    }
    const store::ChangeStep step(m_db, "Add Batch File");
    for (const store::ItemFields& fields : added) {
        m_added.push_back(m_db.addItem(*values.category, fields)->id());
    }
    m_skipped = {duplicates, unreadable};
    if (duplicates + unreadable > 0) {
        m_prompter.tell(skippedMessage(duplicates, unreadable));
    }
    return DialogOutcome::Close;
}

DialogOutcome ItemEditor::editComment(store::ItemId id, std::string_view comment) {
    m_refused = ItemInput::None;
    if (m_db.findItem(id) == nullptr) {
        return DialogOutcome::Close;
    }
    if (comment.size() > kCommentMax) {
        return refuse(kCommentTooLongMessage, ItemInput::Comment, Prompter::Icon::Stop);
    }
    store::ItemEdit edit;
    edit.comment = std::string(comment);
    const store::ChangeStep step(m_db, "Comment");
    m_db.editItem(id, edit);
    return DialogOutcome::Close;
}

void ItemEditor::saveUrlDefaults(settings::AppSettings& settings,
                                 std::optional<store::CategoryId> category, std::uint8_t rate) {
    if (category) {
        settings.URLNormal1 = *category;
    }
    settings.URLNormal = rate;
}

}  // namespace lh::commands
