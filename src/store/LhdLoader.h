#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string_view>

#include "store/RemindKey.h"

namespace lh::store {

class CategoryRecord;
class Database;
class ItemArena;
class ItemRecord;
class LhdSource;

// Builds a Database from the bytes of a .lhd file, read front to back in chunks and parsed as
// they come. The records read stay in a bulk change of the Database until the whole file's
// checksum has matched; a file that is refused leaves the Database empty. The Database must be
// empty.
class LhdLoader {
public:
    enum class Result { Loaded, Refused, Unreadable };
    static constexpr std::size_t kChunkSize = std::size_t(4) << 20;

    // One-time reminders keyed below `firstOnceKey` stay out of the remind index.
    LhdLoader(Database& db, RemindKey firstOnceKey, std::size_t chunkSize = kChunkSize)
        : m_db(db), m_firstOnceKey(firstOnceKey), m_chunkSize(chunkSize) {}

    // Reads the file in `source`. Refused: `reason()` says what was wrong. Unreadable: a read
    // of the source failed. Either leaves the Database empty.
    Result run(LhdSource& source);
    Result run(std::string_view bytes);
    const char* reason() const { return m_reason; }

    struct RawItem;
    class Cursor;

private:
    // What became of the next record in a cursor.
    enum class Step { Read, Cut, Refused };

    Step readRecord(Cursor& in);
    Step readCategoryRecord(Cursor& in);
    Result refuse(const char* why);
    Result refuseAll(const char* why);
    static std::unique_ptr<ItemRecord> makeItem(const RawItem& raw, ItemArena& arena);

    Database& m_db;
    RemindKey m_firstOnceKey;
    std::size_t m_chunkSize;
    const char* m_reason = "";
    // The parse so far: categories by the id the file gave them (the first of an id keeps it),
    // the category whose items follow (null after a skipped one).
    std::map<std::uint16_t, CategoryRecord*> m_byFileId;
    CategoryRecord* m_current = nullptr;
    bool m_sawCategory = false;
    std::size_t m_attached = 0;
};

}  // namespace lh::store
