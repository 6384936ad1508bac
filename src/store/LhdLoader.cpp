#include "store/LhdLoader.h"

#include <memory>
#include <new>

#include "store/Database.h"
#include "store/LhdChunks.h"
#include "store/LhdFormat.h"
#include "store/LhdSource.h"
#include "store/TreeWalk.h"

namespace lh::store {

// Reads little-endian fields, checking each length against the bytes that are left.
class LhdLoader::Cursor {
public:
    explicit Cursor(std::string_view bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_pos == m_bytes.size(); }
    std::size_t pos() const { return m_pos; }
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

namespace {

using Cursor = LhdLoader::Cursor;

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

LhdLoader::Result LhdLoader::refuse(const char* why) {
    m_reason = why;
    m_db.clear();
    m_db.m_nextCategoryId = 0;
    return Result::Refused;
}

LhdLoader::Result LhdLoader::refuseAll(const char* why) {
    m_db.m_nextMenuId = 0;
    return refuse(why);
}

LhdLoader::Result LhdLoader::run(std::string_view bytes) {
    LhdBytes source(bytes);
    return run(source);
}

LhdLoader::Result LhdLoader::run(LhdSource& source) {
    m_byFileId.clear();
    m_current = nullptr;
    m_sawCategory = false;
    m_attached = 0;
    const std::uint32_t menuIdsBefore = m_db.m_nextMenuId;
    const auto unreadable = [this] {
        refuse("the file could not be read");
        return Result::Unreadable;
    };
    if (source.size() < lhd::kHeaderSize) {
        return refuse("the file is too short for a database header");
    }
    lhd::Header header;
    if (!source.readAt(0, reinterpret_cast<char*>(header.data()), header.size())) {
        return unreadable();
    }
    if (header[0] > lhd::kHighestVersionRead) {
        return refuse("the file was written by a newer version");
    }
    const std::uint32_t storedCrc = static_cast<std::uint32_t>(header[5]) |
                                    (static_cast<std::uint32_t>(header[6]) << 8) |
                                    (static_cast<std::uint32_t>(header[7]) << 16) |
                                    (static_cast<std::uint32_t>(header[8]) << 24);

    // Records are parsed as the chunks come; the first fault ends the parse, but the checksum
    // is taken over the whole file all the same, so that a damaged file is refused as damaged.
    LhdChunks chunks(source, lhd::kHeaderSize, m_chunkSize);
    const char* fault = nullptr;
    bool outOfMemory = false;
    try {
        while (fault == nullptr) {
            Cursor in(chunks.window());
            std::size_t parsed = 0;
            Step step = Step::Read;
            while (!in.atEnd() && (step = readRecord(in)) == Step::Read) {
                parsed = in.pos();
            }
            chunks.consume(parsed);
            if (step == Step::Refused || (step == Step::Cut && chunks.readAll())) {
                fault = m_reason;  // a cut record at the very end runs past the end of the file
            } else if (chunks.readAll()) {
                break;
            } else if (!chunks.refill()) {
                return unreadable();
            }
        }
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
    }
    if (!chunks.readRest()) {
        return unreadable();
    }
    if (chunks.crc() != storedCrc) {
        refuse("the checksum does not match (the file is damaged)");
        m_db.m_nextMenuId = menuIdsBefore;  // as if no record had been read
        return Result::Refused;
    }
    if (outOfMemory) {
        m_db.clear();
        m_db.m_observers.notify(&DatabaseObserver::allocationFailed,
                                std::string_view("Allocation  memory  fail!"));
        return refuseAll("out of memory");
    }
    if (fault != nullptr) {
        return refuseAll(fault);
    }
    if (m_attached < 3) {
        return refuseAll("the file holds fewer than three categories");
    }
    m_reason = "";  // a record cut by a chunk's end was completed
    return Result::Loaded;
}

LhdLoader::Step LhdLoader::readRecord(Cursor& in) {
    std::uint8_t tag;
    in.u8(tag);
    if (tag == lhd::kTagCategory) {
        return readCategoryRecord(in);
    }
    if (tag != lhd::kTagItem) {
        m_reason = "a record has an unknown tag";
        return Step::Refused;
    }
    if (!m_sawCategory) {
        m_reason = "an item comes before any category";
        return Step::Refused;
    }
    RawItem raw;
    if (!readItem(in, raw)) {
        m_reason = "an item record runs past the end of the file";
        return Step::Cut;
    }
    if (m_current != nullptr &&
        !m_db.loadItem(*m_current, makeItem(raw, m_db.m_itemArena), m_firstOnceKey)) {
        m_reason = "the file holds more items than there are ids";
        return Step::Refused;
    }
    return Step::Read;
}

LhdLoader::Step LhdLoader::readCategoryRecord(Cursor& in) {
    m_sawCategory = true;
    CategoryFields fields;
    if (!readCategory(in, fields)) {
        m_reason = "a category record runs past the end of the file";
        return Step::Cut;
    }
    const auto refused = [this](const char* why) {
        m_reason = why;
        return Step::Refused;
    };
    if (fields.relation > 1) {
        return refused("a category has an unknown relation to its anchor");
    }
    if (m_attached >= kCategoryIdLimit) {
        return refused("the file holds more categories than there are ids");
    }
    auto category = std::make_unique<CategoryRecord>();
    category->m_name = fields.name;
    category->m_folderPath = fields.folderPath;
    category->m_memo = fields.memo;
    category->m_flags = fields.flags;

    CategoryRecord* anchor = nullptr;
    switch (m_attached) {
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
            const auto found = m_byFileId.find(fields.anchorId);
            anchor = found == m_byFileId.end() ? nullptr : found->second;
            if (anchor == nullptr) {
                m_current = nullptr;  // unattached: skipped with its items
                return Step::Read;
            }
            if (isStoredClass(anchor->categoryClass())) {
                category->m_flags = static_cast<std::uint8_t>(anchor->categoryClass() |
                                                              (category->m_flags & kExpandedMask));
            }
            break;
    }
    if (anchor != nullptr) {
        if (anchor == m_db.m_root && fields.relation == kRelationNextSibling) {
            return refused("a category is placed beside the root");
        }
        CategoryRecord*& link =
            fields.relation == kRelationNextSibling ? anchor->m_nextSibling : anchor->m_firstChild;
        if (link != nullptr) {
            return refused("two categories claim the same place in the tree");
        }
    }
    m_current = m_db.loadCategory(std::move(category), anchor, fields.relation);
    m_byFileId.try_emplace(fields.ownId, m_current);
    ++m_attached;
    return Step::Read;
}

}  // namespace lh::store
