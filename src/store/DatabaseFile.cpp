// Loading and saving the Database as a .lhd file.

#include "platform/AtomicFile.h"
#include "platform/FileReader.h"
#include "store/Database.h"
#include "store/LhdFormat.h"
#include "store/LhdLoader.h"
#include "store/LhdSource.h"
#include "store/LhdWriter.h"

namespace lh::store {

namespace {

// Tells `progress` (may be null) how a save goes, from its start to its end.
class SaveScope {
public:
    SaveScope(SaveProgress* progress, bool& saving, std::size_t records)
        : m_progress(progress), m_saving(saving) {
        m_saving = true;
        if (m_progress != nullptr) {
            m_progress->saveBegun(records);
        }
    }
    ~SaveScope() {
        if (m_progress != nullptr) {
            m_progress->saveEnded();
        }
        m_saving = false;
    }
    SaveScope(const SaveScope&) = delete;
    SaveScope& operator=(const SaveScope&) = delete;

    void finish(const std::function<void()>& step) const {
        if (m_progress != nullptr) {
            m_progress->finishSave(step);
        } else {
            step();
        }
    }

    lhd::WriteProgress hook() const {
        if (m_progress == nullptr) {
            return {};
        }
        return [progress = m_progress](std::size_t written) { progress->saveProgressed(written); };
    }

private:
    SaveProgress* m_progress;
    bool& m_saving;
};

}  // namespace

bool Database::write(const std::string& path, std::uint16_t headerCounter,
                     platform::IoError& error) {
    if (m_saving) {
        error = {"save", path, 0, "another save is under way"};
        return false;
    }
    const SaveScope scope(m_saveProgress, m_saving, m_categories.size() + m_itemCount);
    platform::AtomicFile file(m_fs);
    bool written = file.open(path) && lhd::writeTo(*this, headerCounter, file, scope.hook());
    if (written) {
        scope.finish([&file, &written] { written = file.commit(); });
    }
    if (!written) {
        error = file.error();
    }
    return written;
}

namespace {

// The file as the loader reads it.
class FileSource final : public LhdSource {
public:
    explicit FileSource(platform::FileReader& file) : m_file(file) {}
    std::uint64_t size() const override { return m_file.size(); }
    bool readAt(std::uint64_t offset, char* out, std::size_t size) override {
        return m_file.readAt(offset, out, size);
    }

private:
    platform::FileReader& m_file;
};

}  // namespace

LoadOutcome Database::load(const std::string& path, platform::IoError& error) {
    const BulkChange bulk(*this);
    using Status = platform::FileReader::Status;
    platform::FileReader file;
    if (const Status status = file.open(path); status != Status::Open) {
        clear();
        m_nextCategoryId = 0;
        error = file.error();
        return status == Status::Missing ? LoadOutcome::Missing
               : status == Status::Empty ? LoadOutcome::Empty
                                         : LoadOutcome::Unreadable;
    }
    FileSource source(file);
    const LoadOutcome outcome = loadFrom(source, path, error);
    if (outcome == LoadOutcome::Unreadable) {
        error = file.error();
    }
    return outcome;
}

LoadOutcome Database::loadBytes(std::string_view bytes, const std::string& path,
                                platform::IoError& error) {
    LhdBytes source(bytes);
    return loadFrom(source, path, error);
}

LoadOutcome Database::loadFrom(LhdSource& source, const std::string& path,
                               platform::IoError& error) {
    const BulkChange bulk(*this);
    clear();
    m_nextCategoryId = 0;
    m_addressesBuilt = false;  // built when first needed
    // Room for as many ids as the file could hold items, so that the index never moves while a
    // million items load (pages of it that stay unused are never touched).
    m_itemsById.reserve(static_cast<std::size_t>(source.size() / lhd::kSmallestItemRecord));
    const RemindKey firstOnceKey =
        m_onceHorizon ? dueRemindKeys(*m_onceHorizon)[0] + 1 : currentOnceKey();
    LhdLoader loader(*this, firstOnceKey);
    switch (loader.run(source)) {
        case LhdLoader::Result::Loaded:
            return LoadOutcome::Loaded;
        case LhdLoader::Result::Unreadable:
            return LoadOutcome::Unreadable;
        case LhdLoader::Result::Refused:
            break;
    }
    error = {"load", path, 0, loader.reason()};
    return LoadOutcome::Refused;
}

CategoryRecord* Database::loadCategory(std::unique_ptr<CategoryRecord> owned,
                                       CategoryRecord* anchor, std::uint8_t relation) {
    owned->m_id = static_cast<CategoryId>(m_nextCategoryId++);
    CategoryRecord& category = *owned;
    m_categories.try_emplace(category.m_id, std::move(owned));
    if (anchor == nullptr) {
        m_root = &category;
        category.m_depth = 0;
        return &category;
    }
    category.m_backLink = anchor;
    if (relation == 0) {
        anchor->m_firstChild = &category;
        category.m_parent = anchor;
    } else {
        anchor->m_nextSibling = &category;
        category.m_parent = anchor->m_parent;
    }
    if (category.m_parent != nullptr) {
        category.m_parent->m_lastChild = &category;
        ++category.m_parent->m_childCount;
        category.m_depth = static_cast<std::uint16_t>(category.m_parent->m_depth + 1);
    }
    return &category;
}

bool Database::loadItem(CategoryRecord& category, std::unique_ptr<ItemRecord> owned,
                        RemindKey firstOnceKey) {
    if (!registerItem(*owned)) {
        return false;
    }
    ItemRecord& item = *owned.release();
    appendToChain(category, item);
    ++m_itemCount;
    const Placement where = placementOf(category);
    fitMenuSlot(item, where);
    if (takesReminder(item, where)) {
        fileReminder(item, firstOnceKey);
    }
    return true;
}

}  // namespace lh::store
