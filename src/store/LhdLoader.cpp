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

// The next item record (in `arena`), or null when it runs past the end.
std::unique_ptr<ItemRecord> readItem(Cursor& in, ItemArena& arena) {
    std::string_view address, location, title, comment;
    std::uint8_t rate;
    std::uint16_t storedCategory;
    std::uint32_t flags, sizeLow, sizeHigh;
    DateTimeStamp created, remind;
    if (!(in.text(address) && in.text(location) && in.text(title) && in.u8(rate) &&
          in.u16(storedCategory) && in.u32(flags) && in.text(comment) && in.u32(sizeLow) &&
          in.u32(sizeHigh) && in.stamp(created) && in.stamp(remind))) {
        return nullptr;
    }
    auto item = ItemRecord::create(address, location, title, comment, &arena);
    item->rate = rate;
    item->flags = flags;
    item->fileSize = (static_cast<std::uint64_t>(sizeHigh) << 32) | sizeLow;
    item->createTime = created;
    item->remindTime = remind;
    return item;
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
    const auto header = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    if (header(0) > lhd::kHighestVersionRead) {
        return refuse("the file was written by a newer version");
    }
    const std::uint32_t storedCrc = header(5) | (header(6) << 8) | (header(7) << 16) |
                                    (static_cast<std::uint32_t>(header(8)) << 24);
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
                auto item = readItem(in, m_db.m_itemArena);
                if (!item) {
                    return refuseAll("an item record runs past the end of the file");
                }
                if (current != nullptr) {
                    m_db.loadItem(*current, std::move(item), m_now);
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
            category->name = fields.name;
            category->folderPath = fields.folderPath;
            category->memo = fields.memo;
            category->fileId = fields.ownId;
            category->flags = fields.flags;

            CategoryRecord* anchor = nullptr;
            switch (attached) {
                case 0:  // the root, whatever the file calls it
                    category->name = "Linkhaven";
                    category->flags &= kExpandedMask;
                    break;
                case 1:
                    category->name = "WebFavorite";
                    category->flags = kClassUrl | (category->flags & kExpandedMask);
                    anchor = m_db.m_root;
                    break;
                case 2:
                    category->name = "Recycle";
                    category->flags = kClassUrl | (category->flags & kExpandedMask);
                    anchor = m_db.findCategory(kFavoritesId);
                    break;
                default:
                    const auto found = byFileId.find(fields.anchorId);
                    anchor = found == byFileId.end() ? nullptr : found->second;
                    if (anchor == nullptr) {
                        current = nullptr;  // unattached: skipped with its items
                        continue;
                    }
                    if (isStoredClass(anchor->categoryClass())) {
                        category->flags = static_cast<std::uint8_t>(
                            anchor->categoryClass() | (category->flags & kExpandedMask));
                    }
                    break;
            }
            if (anchor != nullptr) {
                if (anchor == m_db.m_root && fields.relation == kRelationNextSibling) {
                    return refuseAll("a category is placed beside the root");
                }
                CategoryRecord*& link = fields.relation == kRelationNextSibling
                                            ? anchor->nextSibling
                                            : anchor->firstChild;
                if (link != nullptr) {
                    return refuseAll("two categories claim the same place in the tree");
                }
            }
            current = m_db.loadCategory(std::move(category), anchor, fields.relation);
            byFileId.try_emplace(current->fileId, current);
            ++attached;
        }
        if (attached < 3) {
            return refuseAll("the file holds fewer than three categories");
        }
    } catch (const std::bad_alloc&) {
        if (m_db.m_observer != nullptr) {
            m_db.m_observer->allocationFailed("Allocation  memory  fail!");
        }
        return refuseAll("out of memory");
    }
    return Result::Loaded;
}

}  // namespace lh::store
