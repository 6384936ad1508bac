#pragma once

#include <memory>
#include <string_view>

#include "store/RemindKey.h"

namespace lh::store {

class Database;
class ItemArena;
class ItemRecord;

// Builds a Database from the bytes of a .lhd file. The Database must be empty.
class LhdLoader {
public:
    enum class Result { Loaded, Refused };

    // One-time reminders keyed below `firstOnceKey` stay out of the remind index.
    LhdLoader(Database& db, RemindKey firstOnceKey) : m_db(db), m_firstOnceKey(firstOnceKey) {}

    // Reads `bytes`. Refused leaves the Database empty; `reason()` then says what was wrong.
    Result run(std::string_view bytes);
    const char* reason() const { return m_reason; }

    struct RawItem;

private:
    static std::unique_ptr<ItemRecord> makeItem(const RawItem& raw, ItemArena& arena);

    Database& m_db;
    RemindKey m_firstOnceKey;
    const char* m_reason = "";
};

}  // namespace lh::store
