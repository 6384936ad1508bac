// Loading and saving the Database as a .lhd file.

#include "platform/AtomicFile.h"
#include "platform/MappedFile.h"
#include "store/Database.h"
#include "store/LhdLoader.h"
#include "store/LhdWriter.h"

namespace lh::store {

int Database::write(const std::string& path, std::uint16_t headerCounter) {
    m_lastError = {};
    platform::AtomicFile file(m_fs);
    if (!file.open(path) || !lhd::writeTo(*this, headerCounter, file) || !file.commit()) {
        m_lastError = file.error();
        return 0;
    }
    return 1;
}

int Database::load(const std::string& path) {
    clear();
    m_nextCategoryId = 0;
    m_lastError = {};
    platform::MappedFile file;
    if (file.open(path) != platform::MappedFile::Status::Mapped) {
        m_lastError = file.error();
        return 0;
    }
    m_addressesBuilt = false;  // built when first needed
    LhdLoader loader(*this, m_clock.now());
    if (loader.run(file.bytes()) == LhdLoader::Result::Refused) {
        m_lastError = {"load", path, 0, loader.reason()};
        return -1;
    }
    if (m_observer != nullptr) {
        m_observer->treeRebuilt(*m_root);
    }
    return 1;
}

CategoryRecord* Database::loadCategory(std::unique_ptr<CategoryRecord> owned,
                                       CategoryRecord* anchor, std::uint8_t relation) {
    owned->id = static_cast<std::uint16_t>(m_nextCategoryId++);
    CategoryRecord& category = *owned;
    m_categories.try_emplace(category.id, std::move(owned));
    if (anchor == nullptr) {
        m_root = &category;
        category.depth = 0;
        return &category;
    }
    category.backLink = anchor;
    if (relation == 0) {
        anchor->firstChild = &category;
        category.parent = anchor;
    } else {
        anchor->nextSibling = &category;
        category.parent = anchor->parent;
    }
    if (category.parent != nullptr) {
        category.parent->lastChild = &category;
        category.depth = static_cast<std::uint16_t>(category.parent->depth + 1);
    }
    return &category;
}

void Database::loadItem(CategoryRecord& category, std::unique_ptr<ItemRecord> owned,
                        const platform::LocalTime& now) {
    ItemRecord& item = *owned.release();
    item.m_inDatabase = true;
    appendToChain(category, item);
    ++m_itemCount;
    if (takesMenuSlot(item, category)) {
        giveMenuSlot(item, false);
    }
    if (takesReminder(item, category)) {
        fileReminder(item, &now);
    }
}

}  // namespace lh::store
