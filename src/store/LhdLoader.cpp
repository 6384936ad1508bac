#include "store/LhdLoader.h"

#include <zlib.h>

#include <map>
#include <memory>
#include <new>

#include "store/Database.h"
#include "store/LhdFormat.h"
#include "store/TreeWalk.h"

namespace lh::store {

namespace {

// Reads little-endian fields, checking each length against the bytes that are left.
class Cursor {
public:
    explicit Cursor(std::string_view bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_pos == m_bytes.size(); }
    std::size_t left() const { return m_bytes.size() - m_pos; }

    bool u8(std::uint8_t& v) {
        if (left() < 1) {
            return false;
        }
        v = byteAt(0);
        m_pos += 1;
        return true;
    }
    bool u16(std::uint16_t& v) {
        if (left() < 2) {
            return false;
        }
        v = static_cast<std::uint16_t>(byteAt(0) | (byteAt(1) << 8));
        m_pos += 2;
        return true;
    }
    bool u32(std::uint32_t& v) {
        if (left() < 4) {
            return false;
        }
        v = static_cast<std::uint32_t>(byteAt(0)) | (static_cast<std::uint32_t>(byteAt(1)) << 8) |
            (static_cast<std::uint32_t>(byteAt(2)) << 16) |
            (static_cast<std::uint32_t>(byteAt(3)) << 24);
        m_pos += 4;
        return true;
    }
    bool text(std::string_view& v) {
        std::uint32_t n;
        if (!u32(n) || n > left()) {
            return false;
        }
        v = m_bytes.substr(m_pos, n);
        m_pos += n;
        return true;
    }
    bool stamp(DateTimeStamp& t) {
        return u16(t.year) && u8(t.month) && u8(t.day) && u8(t.hour) && u8(t.minute) &&
               u8(t.second) && u8(t.reserved);
    }

private:
    std::uint8_t byteAt(std::size_t offset) const {
        return static_cast<std::uint8_t>(m_bytes[m_pos + offset]);
    }

    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

struct CategoryFields {
    std::uint8_t relation = 0;
    std::string_view name, folderPath, memo;
    std::uint16_t anchorId = 0, ownId = 0, depth = 0;
    std::uint8_t flags = 0;
};

bool readCategory(Cursor& in, CategoryFields& c) {
    return in.u8(c.relation) && in.text(c.name) && in.text(c.folderPath) && in.u16(c.anchorId) &&
           in.u16(c.ownId) && in.u16(c.depth) && in.u8(c.flags) && in.text(c.memo);
}

}  // namespace

// An item record as the file holds it; its texts point into the file's bytes.
struct LhdLoader::RawItem {
    std::string_view address, location, title, comment;
    std::uint8_t rate = 0;
    std::uint16_t storedCategory = 0;
    std::uint32_t flags = 0, sizeLow = 0, sizeHigh = 0;
    DateTimeStamp created, remind;
};

std::unique_ptr<ItemRecord> LhdLoader::makeItem(const RawItem& raw, ItemArena& arena) {
    auto item = ItemRecord::create(raw.address, raw.location, raw.title, raw.comment, &arena);
    item->m_rate = raw.rate;
    item->m_flags = raw.flags;
    item->m_fileSize = (static_cast<std::uint64_t>(raw.sizeHigh) << 32) | raw.sizeLow;
    item->m_createTime = raw.created;
    item->m_remindTime = raw.remind;
    return item;
}

namespace {

// The next item record; false when it runs past the end.
bool readItem(Cursor& in, LhdLoader::RawItem& r) {
    return in.text(r.address) && in.text(r.location) && in.text(r.title) && in.u8(r.rate) &&
           in.u16(r.storedCategory) && in.u32(r.flags) && in.text(r.comment) && in.u32(r.sizeLow) &&
           in.u32(r.sizeHigh) && in.stamp(r.created) && in.stamp(r.remind);
}

bool isStoredClass(std::uint8_t cls) {
    return cls == kClassUrl || cls == kClassFile || cls == kClassRemind;
}

}  // namespace

LhdLoader::Result LhdLoader::run(std::string_view bytes) {
    const auto refuse = [this](const char* why) {
        m_reason = why;
        m_db.clear();
        m_db.m_nextCategoryId = 0;
        return Result::Refused;
    };
    if (bytes.size() < lhd::kHeaderSize) {
        return refuse("the file is too short for a database header");
    }
    const auto header = [&](std::size_t i) -> std::uint32_t {
        return static_cast<std::uint8_t>(bytes[i]);
    };
    if (header(0) > lhd::kHighestVersionRead) {
        return refuse("the file was written by a newer version");
    }
    const std::uint32_t storedCrc =
        header(5) | (header(6) << 8) | (header(7) << 16) | (header(8) << 24);
    const std::string_view body = bytes.substr(lhd::kHeaderSize);
    const auto crc =
        crc32_z(crc32_z(0, nullptr, 0), reinterpret_cast<const Bytef*>(body.data()), body.size());
    if (crc != storedCrc) {
        return refuse("the checksum does not match (the file is damaged)");
    }

    // From here on every failure also resets the menu slots.
    const auto refuseAll = [&](const char* why) {
        m_db.m_nextMenuId = 0;
        return refuse(why);
    };
    try {
        // Categories by the id the file gave them; the first of an id keeps it.
        std::map<std::uint16_t, CategoryRecord*> byFileId;
        Cursor in(body);
        CategoryRecord* current = nullptr;  // whose items follow; null after a skipped category
        bool sawCategory = false;
        std::size_t attached = 0;

        while (!in.atEnd()) {
            std::uint8_t tag;
            in.u8(tag);
            if (tag == lhd::kTagItem) {
                if (!sawCategory) {
                    return refuseAll("an item comes before any category");
                }
                RawItem raw;
                if (!readItem(in, raw)) {
                    return refuseAll("an item record runs past the end of the file");
                }
                if (current != nullptr &&
                    !m_db.loadItem(*current, makeItem(raw, m_db.m_itemArena), m_firstOnceKey)) {
                    return refuseAll("the file holds more items than there are ids");
                }
                continue;
            }
            if (tag != lhd::kTagCategory) {
                return refuseAll("a record has an unknown tag");
            }
            sawCategory = true;
            CategoryFields fields;
            if (!readCategory(in, fields)) {
                return refuseAll("a category record runs past the end of the file");
            }
            if (fields.relation > 1) {
                return refuseAll("a category has an unknown relation to its anchor");
            }
            if (attached >= kCategoryIdLimit) {
                return refuseAll("the file holds more categories than there are ids");
            }
            auto category = std::make_unique<CategoryRecord>();
            category->m_name = fields.name;
            category->m_folderPath = fields.folderPath;
            category->m_memo = fields.memo;
            category->m_flags = fields.flags;

            CategoryRecord* anchor = nullptr;
            switch (attached) {
                case 0:  // the root, whatever the file calls it
                    category->m_name = "Linkhaven";
                    category->m_flags &= kExpandedMask;
                    break;
                case 1:
                    category->m_name = "WebFavorite";
                    category->m_flags = kClassUrl | (category->m_flags & kExpandedMask);
                    anchor = m_db.m_root;
                    break;
                case 2:
                    category->m_name = "Recycle";
                    category->m_flags = kClassUrl | (category->m_flags & kExpandedMask);
                    anchor = m_db.mutableCategory(kFavoritesId);
                    break;
                default:
                    const auto found = byFileId.find(fields.anchorId);
                    anchor = found == byFileId.end() ? nullptr : found->second;
                    if (anchor == nullptr) {
                        current = nullptr;  // unattached: skipped with its items
                        continue;
                    }
                    if (isStoredClass(anchor->categoryClass())) {
                        category->m_flags = static_cast<std::uint8_t>(
                            anchor->categoryClass() | (category->m_flags & kExpandedMask));
                    }
                    break;
            }
            if (anchor != nullptr) {
                if (anchor == m_db.m_root && fields.relation == kRelationNextSibling) {
                    return refuseAll("a category is placed beside the root");
                }
                CategoryRecord*& link = fields.relation == kRelationNextSibling
                                            ? anchor->m_nextSibling
                                            : anchor->m_firstChild;
                if (link != nullptr) {
                    return refuseAll("two categories claim the same place in the tree");
                }
            }
            current = m_db.loadCategory(std::move(category), anchor, fields.relation);
            byFileId.try_emplace(fields.ownId, current);
            ++attached;
        }
        if (attached < 3) {
            return refuseAll("the file holds fewer than three categories");
        }
    } catch (const std::bad_alloc&) {
        m_db.m_observers.notify(&DatabaseObserver::allocationFailed,
                                std::string_view("Allocation  memory  fail!"));
        return refuseAll("out of memory");
    }
    return Result::Loaded;
}

}  // namespace lh::store
