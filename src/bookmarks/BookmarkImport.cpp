#include "bookmarks/BookmarkImport.h"

#include <optional>

#include "bookmarks/BookmarkScanner.h"
#include "bookmarks/CharsetDecoder.h"
#include "bookmarks/ImportTarget.h"
#include "bookmarks/TextDecoder.h"
#include "platform/MappedFile.h"
#include "store/Database.h"

namespace lh::bookmarks {

namespace {

// How much of the file is scanned between two progress reports.
constexpr std::size_t kChunk = 256 * 1024;

bool keepGoing(const ImportOptions& options, std::uint64_t done, std::uint64_t total) {
    return !options.progress || options.progress(done, total);
}

}  // namespace

ImportResult importBookmarkBytes(store::Database& db, std::string_view bytes,
                                 const ImportOptions& options) {
    ImportResult result;
    ImportTarget target(db, options, result);
    if (!target.ready()) {
        return result;
    }
    BookmarkScanner scanner(target);
    DetectedEncoding detected = detectEncoding(bytes);
    std::optional<CharsetDecoder> declared;
    if (detected.encoding == TextEncoding::Declared) {
        declared.emplace(detected.charset);
        if (!declared->ok()) {
            declared.reset();  // a charset iconv does not know: the file's own bytes as 8-bit
        }
    }
    std::string converted;
    std::size_t pos = detected.textStart;
    bool scanning = true;
    while (scanning && pos < bytes.size()) {
        if (!keepGoing(options, pos, bytes.size())) {
            result.cancelled = true;
            break;
        }
        if (detected.encoding == TextEncoding::Utf8) {
            const std::string_view piece = bytes.substr(pos, kChunk);
            pos += piece.size();
            scanning = scanner.feed(piece);
        } else {
            pos = declared ? declared->decode(bytes, pos, kChunk, converted)
                           : decodeChunk(detected.encoding, bytes, pos, kChunk, converted);
            scanning = scanner.feed(converted);
        }
    }
    scanner.finish();
    result.bookmarkFile = scanner.isBookmarkFile();
    if (!result.bookmarkFile && !result.cancelled && result.error.empty()) {
        result.error = "This is not a bookmark file.";
    }
    if (!result.cancelled) {
        keepGoing(options, bytes.size(), bytes.size());
    }
    return result;
}

ImportResult importBookmarkFile(store::Database& db, const std::string& path,
                                const ImportOptions& options) {
    platform::MappedFile file;
    switch (file.open(path)) {
        case platform::MappedFile::Status::Mapped:
            break;
        case platform::MappedFile::Status::Empty: {
            ImportResult result;
            result.bookmarkFile = false;
            result.error = "\"" + path + "\" is empty; it is not a bookmark file.";
            return result;
        }
        default: {
            ImportResult result;
            result.error = "Cannot read the bookmark file: " + file.error().userMessage();
            return result;
        }
    }
    if (file.bytes().size() > kMaxBookmarkFileSize) {
        ImportResult result;
        result.error = "\"" + path + "\" is larger than 1 GiB; it was not imported.";
        return result;
    }
    ImportResult result = importBookmarkBytes(db, file.bytes(), options);
    if (!result.bookmarkFile && !result.cancelled) {
        result.error = "\"" + path + "\" is not a bookmark file.";
    }
    return result;
}

}  // namespace lh::bookmarks
