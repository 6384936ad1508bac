#pragma once

#include <memory>
#include <string_view>

#include "platform/Clock.h"

namespace lh::store {

class Database;
class ItemArena;
class ItemRecord;

// Builds a Database from the bytes of a .lhd file. The Database must be empty.
class LhdLoader {
public:
    enum class Result { Loaded, Refused };

    LhdLoader(Database& db, const platform::LocalTime& now) : m_db(db), m_now(now) {}

    // Reads `bytes`. Refused leaves the Database empty; `reason()` then says what was wrong.
    Result run(std::string_view bytes);
    const char* reason() const { return m_reason; }

    struct RawItem;

private:
    static std::unique_ptr<ItemRecord> makeItem(const RawItem& raw, ItemArena& arena);

    Database& m_db;
    platform::LocalTime m_now;
    const char* m_reason = "";
};

}  // namespace lh::store
