#pragma once

#include <string_view>

namespace lh::bookmarks {

// Why a link was passed over before it could be told whole.
enum class SkippedLink {
    NotQuoted,  // its HREF is not written in double quotes
    TooLong,    // its address is longer than any address that is kept
    Refused,    // its address is one no link may keep (see items/StoredAddress.h)
};

// Receives what a bookmark source holds, in its order: folders open and close around their
// contents, links come where they stand. The texts are UTF-8 and valid only during the call.
// Every call returns false to end the reading.
class BookmarkSink {
public:
    virtual ~BookmarkSink() = default;
    // A folder heading; what follows, up to the matching listEnd(), lies in it. `name` may be
    // empty.
    virtual bool folder(std::string_view name) = 0;
    // A link; title and address may be empty.
    virtual bool link(std::string_view title, std::string_view address) = 0;
    // The end of the current folder's list.
    virtual bool listEnd() = 0;
    // A link that is not told through link(), so that it can be counted.
    virtual bool skipped(SkippedLink why) {
        (void)why;
        return true;
    }
};

}  // namespace lh::bookmarks
