#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "bookmarks/BookmarkSink.h"
#include "bookmarks/ImportResult.h"
#include "store/ChangeStep.h"
#include "store/Database.h"
#include "store/DateTimeStamp.h"

namespace lh::bookmarks {

// Files what an import reads into the Database, under the favourites category (id 1): a folder
// stack for bookmark files, find-or-create for categories, the duplicate test for addresses. It
// counts into the ImportResult it is given.
//
// The views hear the whole import as one bulk change of the Database, from the target's
// construction to its end.
//
// Rules: texts are trimmed and cut (titles 700 bytes, category names 156, never inside a
// character); an address is never cut: one longer than 2000 bytes skips its link (counted as
// too long), as does one that no link may keep (starting with "-", holding a line break; counted
// with the links without title or address, which are skipped too); a link whose address is
// stored anywhere in the database (Recycle included, letter case ignored) is skipped as a
// duplicate; a link outside any folder goes to the favourites category; a folder with an empty
// name stands for the folder it is in.
class ImportTarget final : public BookmarkSink {
public:
    // `db`, `options` and `result` must outlive the target.
    ImportTarget(store::Database& db, const ImportOptions& options, ImportResult& result);

    // False when the database has no favourites category (result.error then says so).
    bool ready() const { return m_ready; }

    bool folder(std::string_view name) override;
    bool link(std::string_view title, std::string_view address) override;
    bool listEnd() override;
    bool skipped(SkippedLink why) override;

    // The id of the child of `parentId` named `name` (compared byte for byte), made when there
    // is none; the favourites category stands in for a missing parent. 0 when no category can
    // be made (result.error says why). O(1) on average however many siblings there are.
    std::uint16_t findOrCreate(std::string_view name, std::uint16_t parentId);
    // Adds a URL item to `categoryId` unless the address is stored already, may not be stored
    // or a text is empty. False only when the item could not be added (no such category).
    bool addLink(std::string_view title, std::string_view address, std::uint16_t categoryId);

private:
    using NameMap = std::unordered_map<std::string, std::uint16_t>;
    NameMap& childrenOf(std::uint16_t parentId);

    store::Database& m_db;
    store::Database::BulkChange m_bulk;
    store::ChangeStep m_step;  // the whole import is one step of the undo history
    const ImportOptions& m_options;
    ImportResult& m_result;
    bool m_ready = false;
    store::DateTimeStamp m_now;
    std::vector<std::uint16_t> m_stack;                     // the open folders of a bookmark file
    std::unordered_map<std::uint16_t, NameMap> m_children;  // names of the parents seen so far
};

// Trims white space at both ends of `text`, cuts it to `limit` bytes on a character boundary
// and trims the end again.
std::string_view trimAndCut(std::string_view text, std::size_t limit);

}  // namespace lh::bookmarks
