// The database a new user starts with.

#include <memory>

#include "store/Database.h"

namespace lh::store {

namespace {

struct DefaultCategory {
    const char* name;
    int parent;  // -1 for the root
    std::uint8_t flags;
    const char* folderPath;
};

// In id order; each is linked as the last child of its parent.
constexpr DefaultCategory kDefaultCategories[] = {
    {"Linkhaven", -1, 0x01, ""},
    {"Webfavorite", 0, 0x11, ""},
    {"Recycle", 0, 0x10, "C:\\Deleted"},
    {"BBS", 1, 0x10, "C:\\Linkhaven"},
    {"Joke", 1, 0x10, "C:\\Linkhaven"},
    {"Download Site", 1, 0x10, "C:\\Linkhaven"},
    {"Technology", 1, 0x10, "C:\\Linkhaven"},
    {"Life", 3, 0x10, "C:\\Linkhaven"},
    {"Technology", 3, 0x10, "C:\\Orchard"},
    {"Joke", 3, 0x10, "C:\\Linkhaven"},
};

// The counter after the default database: ids 10-17 were taken by categories it no longer has.
constexpr std::uint32_t kDefaultNextCategoryId = 18;

}  // namespace

void Database::createDefault() {
    const BulkChange bulk(*this);
    clear();
    CategoryId id = 0;
    for (const DefaultCategory& d : kDefaultCategories) {
        auto owned = std::make_unique<CategoryRecord>();
        CategoryRecord& category = *owned;
        category.m_name = d.name;
        category.m_folderPath = d.folderPath;
        category.m_flags = d.flags;
        category.m_id = id;
        m_categories.try_emplace(id, std::move(owned));
        if (d.parent < 0) {
            m_root = &category;
        } else {
            linkLastChild(*mutableCategory(static_cast<CategoryId>(d.parent)), category);
        }
        ++id;
    }
    m_nextCategoryId = kDefaultNextCategoryId;
}

bool Database::createDefault(const std::string& writePath, platform::IoError& error) {
    const BulkChange bulk(*this);
    createDefault();
    return write(writePath, static_cast<std::uint16_t>(m_nextCategoryId), error);
}

}  // namespace lh::store
