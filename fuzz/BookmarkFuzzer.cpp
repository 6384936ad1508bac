// Feeds arbitrary bytes to the bookmark-file import. Whatever the bytes (a declared charset
// included), the database stays consistent, every imported text is valid UTF-8 within its cut,
// no stored address breaks the address rule, and the scanner reports the same whichever way the
// text is split into pieces.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "bookmarks/BookmarkImport.h"
#include "bookmarks/BookmarkScanner.h"
#include "items/StoredAddress.h"
#include "store/Database.h"
#include "store/TreeWalk.h"
#include "text/Utf8.h"

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

class Recorder final : public lh::bookmarks::BookmarkSink {
public:
    std::vector<std::string> events;
    bool folder(std::string_view name) override { return add('F', name, {}); }
    bool link(std::string_view title, std::string_view address) override {
        return add('L', title, address);
    }
    bool listEnd() override { return add('E', {}, {}); }
    bool skipped(lh::bookmarks::SkippedLink why) override {
        return add('S', why == lh::bookmarks::SkippedLink::TooLong ? "long" : "other", {});
    }

private:
    bool add(char kind, std::string_view a, std::string_view b) {
        std::string& e = events.emplace_back(1, kind);
        e.append(a).append(1, '\n').append(b);
        return true;
    }
};

std::vector<std::string> scanInPieces(std::string_view text, std::size_t pieceSize) {
    Recorder r;
    lh::bookmarks::BookmarkScanner scanner(r);
    for (std::size_t pos = 0; pos < text.size(); pos += pieceSize) {
        scanner.feed(text.substr(pos, pieceSize));
    }
    scanner.finish();
    return r.events;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    lh::store::Database db;
    db.createDefault();
    const lh::bookmarks::ImportResult result = lh::bookmarks::importBookmarkBytes(db, bytes);
    std::size_t items = 0;
    lh::store::walkSearchOrder(db.root(), [&](const lh::store::CategoryRecord& c) {
        check(db.findCategory(c.id()) == &c);
        check(c.name().size() <= lh::bookmarks::BookmarkScanner::kFolderNameLimit);
        check(lh::text::isValidUtf8(c.name()));
        lh::store::walkItems(c, [&](const lh::store::ItemRecord& item) {
            check(!item.title().empty() && item.title().size() <= 700);
            check(!item.address().empty() && item.address().size() <= 2000);
            check(!lh::items::storedAddressProblem(item.address()));
            check(lh::text::isValidUtf8(item.title()) && lh::text::isValidUtf8(item.address()));
            check(item.categoryId() == c.id() && db.findItem(item.id()) == &item);
            ++items;
            return false;
        });
        return false;
    });
    check(items == db.itemCount() && items == result.itemsAdded);

    // The scanner over valid UTF-8 text: the same events in one piece, in small pieces and in
    // two pieces split where the first byte says.
    if (lh::text::isValidUtf8(bytes)) {
        const auto whole = scanInPieces(bytes, bytes.size() + 1);
        check(scanInPieces(bytes, 7) == whole);
        const std::size_t split = size == 0 ? 1 : 1 + data[0] % (size + 1);
        check(scanInPieces(bytes, split) == whole);
    }
    return 0;
}
