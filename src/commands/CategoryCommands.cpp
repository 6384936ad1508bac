#include "commands/CategoryCommands.h"

#include <cstdio>

#include "commands/ItemCommands.h"
#include "store/ChangeStep.h"
#include "store/Database.h"
#include "store/TreeWalk.h"
#include "text/Trim.h"
#include "text/Utf8.h"

namespace lh::commands {

namespace {

using store::CategoryId;
using store::CategoryRecord;
using Answer = Prompter::Answer;
using Buttons = Prompter::Buttons;
using Icon = Prompter::Icon;

// The tree's own Delete also leaves ids 3 and 4 alone.
constexpr CategoryId kFirstContextDeletableId = 5;

// The limit counts bytes, which the message does not say: a name of accented letters meets it
// sooner than its length on screen suggests.
std::string nameLengthDetail(std::size_t nameBytes) {
    if (nameBytes <= kCategoryNameMax) {
        return {};
    }
    return "The limit is " + std::to_string(kCategoryNameMax) + " bytes of UTF-8; this name has " +
           std::to_string(nameBytes) + ".";
}

}  // namespace

std::string quotedName(std::string_view name) {
    return "'" + std::string(name) + "'";
}

Prompter::Message deleteFilesQuestion() {
    return {std::string(kDeleteFilesQuestion), "Linkhaven", Prompter::Buttons::YesNo,
            Prompter::Icon::Question, std::string(kDeleteFilesDetail)};
}

std::string duplicateCategoryMessage(std::string_view name) {
    std::string text = "Category name \"";
    text += name;
    text += "\" is duplicate.";
    return text;
}

CategoryCommands::CategoryCommands(store::Database& db, Prompter& prompter,
                                   CategoryCommandsHost& host)
    : m_db(db), m_prompter(prompter), m_host(host) {}

void CategoryCommands::tell(std::string text) {
    m_prompter.tell(text, Icon::Information);
}

bool CategoryCommands::hasChildNamed(const CategoryRecord& parent, std::string_view name,
                                     const CategoryRecord* except) {
    for (const CategoryRecord* c = parent.firstChild(); c != nullptr; c = c->nextSibling()) {
        if (c != except && c->name() == name) {
            return true;
        }
    }
    return false;
}

DialogOutcome CategoryCommands::create(std::optional<CategoryId> parentId, std::string_view name,
                                       std::string_view memo) {
    const CategoryRecord* parent = parentId ? m_db.findCategory(*parentId) : nullptr;
    if (parent == nullptr) {
        return DialogOutcome::Close;
    }
    if (name.empty() || name.size() > kCategoryNameMax) {
        m_prompter.ask({std::string(kNameLengthMessage), "Linkhaven", Buttons::Ok,
                        Icon::Information, nameLengthDetail(name.size())});
        return DialogOutcome::KeepOpen;
    }
    if (hasChildNamed(*parent, name)) {
        tell(duplicateCategoryMessage(name));
        return DialogOutcome::KeepOpen;
    }
    store::NewCategory fields;
    fields.name = name;
    fields.memo = text::cutUtf8(memo, kCategoryMemoMax);
    const store::ChangeStep step(m_db, "New Category " + quotedName(name));
    if (m_db.addCategory(parent->id(), fields) == nullptr) {
        // The 16-bit category ids are used up until the next load renumbers them.
        tell("No more categories can be created. Save, then open the file again.");
    }
    return DialogOutcome::Close;
}

DialogOutcome CategoryCommands::move(CategoryId movedId, std::optional<CategoryId> targetId) {
    const CategoryRecord* moved = m_db.findCategory(movedId);
    const CategoryRecord* target = targetId ? m_db.findCategory(*targetId) : nullptr;
    if (moved == nullptr || target == nullptr || target == moved ||
        store::isFixedCategory(moved->id()) || target->categoryClass() != moved->categoryClass()) {
        return DialogOutcome::Close;
    }
    if (hasChildNamed(*target, moved->name())) {
        tell(duplicateCategoryMessage(moved->name()));
        return DialogOutcome::KeepOpen;
    }
    if (store::Database::isSameOrBelow(*target, *moved)) {
        tell(std::string(kCantMoveMessage));
        return DialogOutcome::Close;
    }
    const store::ChangeStep step(m_db, "Move Category " + quotedName(moved->name()));
    (void)m_db.moveCategory(movedId, target->id());  // refuses nothing that passed the tests above
    return DialogOutcome::Close;
}

void CategoryCommands::deleteCategory(CategoryId id, DeleteOrigin origin) {
    if (m_db.findCategory(id) == nullptr) {
        return;
    }
    const Answer sure =
        m_prompter.ask({std::string(kDeleteQuestion), "Linkhaven", Buttons::OkCancel,
                        Icon::Question, deleteDetail(*m_db.findCategory(id))});
    // The questions are modal: look the category up again after each of them.
    const CategoryRecord* category = m_db.findCategory(id);
    if (sure != Answer::Ok || category == nullptr || category->backLink() == nullptr) {
        return;
    }
    const CategoryId minimum =
        origin == DeleteOrigin::ContextMenu ? kFirstContextDeletableId : store::kRecycleId + 1;
    if (id < minimum) {
        return;
    }
    const auto currentId = m_host.currentCategory();
    const CategoryRecord* current = currentId ? m_db.findCategory(*currentId) : nullptr;
    if (const CategoryRecord* next = currentAfterDelete(m_db, *category, current)) {
        m_host.makeCurrent(next->id());
    }
    bool deleteFiles = false;
    const std::string stepName = "Delete Category " + quotedName(category->name());
    if (origin == DeleteOrigin::ContextMenu && category->categoryClass() == store::kClassFile) {
        deleteFiles = m_prompter.ask(deleteFilesQuestion()) == Answer::Yes;
    }
    // Nothing when it went meanwhile.
    const store::ChangeStep step(m_db, stepName);
    const std::vector<platform::IoError> failures = m_db.removeCategory(id, deleteFiles);
    if (!failures.empty()) {
        m_prompter.tell(fileDeleteReport(failures), Icon::Warning);
    }
}

const CategoryRecord* CategoryCommands::currentAfterDelete(const store::Database& db,
                                                           const CategoryRecord& deleted,
                                                           const CategoryRecord* current) {
    if (current == nullptr || !store::Database::isSameOrBelow(*current, deleted)) {
        return nullptr;
    }
    if (current == &deleted) {
        const CategoryRecord* first = db.root() != nullptr ? db.root()->firstChild() : nullptr;
        if (first != nullptr && !store::Database::isSameOrBelow(*first, deleted)) {
            return first;
        }
    }
    return deleted.parent();
}

DialogOutcome CategoryCommands::applyProperties(CategoryId id, std::string_view name,
                                                std::string_view comment) {
    const CategoryRecord* category = m_db.findCategory(id);
    if (category == nullptr) {
        return DialogOutcome::Close;
    }
    const std::string_view memo = text::cutUtf8(comment, kCategoryMemoMax);
    const store::ChangeStep step(m_db, "Category Properties " + quotedName(category->name()));
    if (store::isFixedCategory(id)) {
        // The fixed categories keep their names; their name field cannot be edited.
        m_db.setCategoryMemo(id, memo);
        return DialogOutcome::Close;
    }
    const std::string_view trimmed = text::trimBlanks(name);
    if (trimmed.empty()) {
        return DialogOutcome::KeepOpen;
    }
    const std::string_view newName = text::cutUtf8(trimmed, kCategoryNameMax);
    m_db.setCategoryMemo(id, memo);  // kept even when the name is refused below
    if (category->parent() != nullptr && hasChildNamed(*category->parent(), newName, category)) {
        tell(std::string(kDuplicateNameMessage));
        return DialogOutcome::KeepOpen;
    }
    // Only favourites categories can be renamed.
    if (category->categoryClass() == store::kClassUrl) {
        m_db.renameCategory(id, newName);
    }
    return DialogOutcome::Close;
}

SubtreeCounts CategoryCommands::countSubtree(const CategoryRecord& category) {
    SubtreeCounts counts;
    counts.totalItems = category.itemCount();
    store::walkDescendants(category, [&](const CategoryRecord& c) {
        ++counts.subCategories;
        counts.totalItems += c.itemCount();
        return false;
    });
    return counts;
}

std::string CategoryCommands::deleteDetail(const CategoryRecord& category) {
    const SubtreeCounts counts = countSubtree(category);
    const auto counted = [](std::size_t n, const char* one, const char* many) {
        return std::to_string(n) + " " + (n == 1 ? one : many);
    };
    const bool links = category.categoryClass() == store::kClassUrl;
    return "'" + category.name() + "' with " +
           counted(counts.subCategories, "sub-category", "sub-categories") + " and " +
           counted(counts.totalItems, links ? "link" : "item", links ? "links" : "items");
}

std::string CategoryCommands::formatCount(std::size_t count) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%10zu", count);
    return buffer;
}

}  // namespace lh::commands
