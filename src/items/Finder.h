#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/Kinds.h"

namespace lh::store {
class CategoryRecord;
class Database;
class ItemRecord;
}  // namespace lh::store

namespace lh::items {

// What Find searches: the items below the category with this id (1 "WebFavorite", 2, 3).
enum class FindType : std::uint8_t { Url = 1, File = 2, Remind = 3 };

// The fields Find looks in (a bit set). Address only for URL searches.
inline constexpr unsigned kFindTitle = 1;
inline constexpr unsigned kFindAddress = 2;
inline constexpr unsigned kFindComment = 4;

// The stored Find settings word: bits 0-1 the type the dialog opens with, then the field boxes of
// each type (URL 0x0004/0x0008/0x0010, File 0x0020/-/0x0080, Remind 0x0100/-/0x0400).
FindType openingFindType(std::uint16_t findTypeBits);
unsigned findFields(std::uint16_t findTypeBits, FindType type);
std::uint16_t withFindFields(std::uint16_t findTypeBits, FindType type, unsigned fields);

// A hit: the item and the category to show it in (the one that holds it).
struct FindHit {
    store::CategoryId category = 0;
    store::ItemId item = store::kNoItemId;
    bool operator==(const FindHit&) const = default;
};

// Find and Find Next over one Database. Find looks in the type's category with everything below
// it, then in the category with id 4 ("Joke" by default) unless that lies in the part searched.
// Find Next goes on after the last hit, through the type's category, everything below it and its
// later siblings (with everything below them), then category 4 likewise; without a further hit it
// ends (the next Find Next does nothing). Texts match ignoring case (Unicode simple folding).
//
// The last hit is remembered by id, so a hit whose item was deleted, or a database that was
// replaced meanwhile, ends Find Next quietly instead of resuming from a record that is gone.
class Finder {
public:
    explicit Finder(const store::Database& db) : m_db(db) {}

    // A new search for `text` (empty: forget the last hit and find nothing).
    std::optional<FindHit> find(std::string_view text, FindType type, unsigned fields);
    // The next hit after the last one, looking in `fields`; nothing once the hits ran out.
    std::optional<FindHit> findNext(unsigned fields);

    const std::string& lastText() const { return m_lastText; }
    FindType lastType() const { return m_lastType; }
    // The item of the last hit, or kNoItemId.
    store::ItemId lastHit() const { return m_cursor; }

private:
    class Search;
    std::optional<FindHit> run(const store::CategoryRecord& start, bool withLaterSiblings,
                               unsigned fields);

    const store::Database& m_db;
    std::string m_lastText;
    FindType m_lastType = FindType::Url;
    store::ItemId m_cursor = store::kNoItemId;
};

}  // namespace lh::items
