#pragma once

#include <string_view>

namespace lh::bookmarks {

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
};

}  // namespace lh::bookmarks
