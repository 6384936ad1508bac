// Feeds arbitrary bytes to the .lhd loader. A file that loads must save to bytes that load again
// into the same database, and the indexes must agree with the tree; read in small chunks, the
// bytes must give the same verdict and database as read at once.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <zlib.h>

#include <string>

#include "store/Database.h"
#include "store/LhdFormat.h"
#include "store/LhdLoader.h"
#include "store/LhdWriter.h"
#include "store/TreeWalk.h"

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkConsistent(const lh::store::Database& db) {
    std::size_t items = 0;
    std::size_t categories = 0;
    lh::store::walkSearchOrder(db.root(), [&](const lh::store::CategoryRecord& c) {
        ++categories;
        check(db.findCategory(c.id()) == &c);
        std::uint32_t position = 0;
        lh::store::walkItems(c, [&](const lh::store::ItemRecord& item) {
            check(item.categoryId() == c.id() && item.position() == position++);
            check(db.findItem(item.id()) == &item);
            check(item.menuId() == lh::store::kNoMenuId || db.findMenuItem(item.menuId()) == &item);
            ++items;
            return false;
        });
        check(position == c.itemCount());
        std::uint32_t children = 0;
        for (auto* child = c.firstChild(); child != nullptr; child = child->nextSibling()) {
            check(child->parent() == &c && child->depth() == c.depth() + 1);
            ++children;
        }
        check(children == c.childCount());
        return false;
    });
    check(items == db.itemCount());
    check(categories == db.categoryCount());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A mutated body almost never keeps its checksum; mend it so that mutations reach the records.
    // (Wrong checksums are refused before anything else is read; the tests cover that.)
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.size() >= lh::store::lhd::kHeaderSize) {
        const std::uint32_t crc = static_cast<std::uint32_t>(
            crc32_z(0, reinterpret_cast<const Bytef*>(bytes.data()) + lh::store::lhd::kHeaderSize,
                    bytes.size() - lh::store::lhd::kHeaderSize));
        for (int i = 0; i < 4; ++i) {
            bytes[5 + static_cast<std::size_t>(i)] = static_cast<char>(crc >> (8 * i));
        }
    }
    // One-time reminders before 2026-12-06 09:30 stay out of the remind index.
    const lh::store::RemindKey now = 2612060930;
    lh::store::Database db;
    lh::store::LhdLoader loader(db, now);
    const auto result = loader.run(bytes);
    // Read in small chunks, the same bytes give the same verdict and the same database.
    lh::store::Database chunked;
    lh::store::LhdLoader chunkedLoader(chunked, now, 1 + size % 61);
    check(chunkedLoader.run(bytes) == result);
    check(std::string_view(chunkedLoader.reason()) == loader.reason());
    if (result != lh::store::LhdLoader::Result::Loaded) {
        check(!db.isOpen() && db.itemCount() == 0 && db.menuIndex().empty());
        check(!chunked.isOpen() && chunked.itemCount() == 0);
        return 0;
    }
    checkConsistent(db);
    check(lh::store::lhd::serialize(chunked, 8) == lh::store::lhd::serialize(db, 8));
    // Saving writes file order, which may renumber the categories once; after that a save and
    // a load change nothing.
    const std::string saved = lh::store::lhd::serialize(db, 8);
    lh::store::Database again;
    check(lh::store::LhdLoader(again, now).run(saved) == lh::store::LhdLoader::Result::Loaded);
    checkConsistent(again);
    check(again.itemCount() == db.itemCount());
    check(again.categoryCount() == db.categoryCount());
    check(again.menuIndex().size() == db.menuIndex().size());
    const std::string normalised = lh::store::lhd::serialize(again, 8);
    lh::store::Database third;
    check(lh::store::LhdLoader(third, now).run(normalised) == lh::store::LhdLoader::Result::Loaded);
    check(lh::store::lhd::serialize(third, 8) == normalised);
    return 0;
}
