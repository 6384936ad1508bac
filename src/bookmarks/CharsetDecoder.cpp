#include "bookmarks/CharsetDecoder.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "text/Utf8.h"

namespace lh::bookmarks {

namespace {

const iconv_t kNoHandle = reinterpret_cast<iconv_t>(-1);

// How many bytes past the chunk a character split by its end may reach; no charset iconv knows
// has longer characters.
constexpr std::size_t kLongestCharacter = 16;

iconv_t handleOf(void* handle) {
    return static_cast<iconv_t>(handle);
}

}  // namespace

CharsetDecoder::CharsetDecoder(const std::string& charset)
    : m_handle(::iconv_open("UTF-8", charset.c_str())) {}

CharsetDecoder::~CharsetDecoder() {
    if (ok()) {
        ::iconv_close(handleOf(m_handle));
    }
}

bool CharsetDecoder::ok() const {
    return handleOf(m_handle) != kNoHandle;
}

std::size_t CharsetDecoder::decode(std::string_view bytes, std::size_t pos, std::size_t chunk,
                                   std::string& out) {
    out.clear();
    const std::size_t chunkEnd = chunk >= bytes.size() - pos ? bytes.size() : pos + chunk;
    const std::size_t reach = std::min(bytes.size(), chunkEnd + kLongestCharacter);
    std::size_t stop = chunkEnd;
    char buffer[4096];
    while (pos < stop) {
        // iconv takes a non-const input pointer but does not write through it.
        char* in = const_cast<char*>(bytes.data() + pos);
        std::size_t inLeft = stop - pos;
        char* to = buffer;
        std::size_t toLeft = sizeof buffer;
        const std::size_t converted = ::iconv(handleOf(m_handle), &in, &inLeft, &to, &toLeft);
        const int error = errno;
        out.append(buffer, static_cast<std::size_t>(to - buffer));
        pos = static_cast<std::size_t>(in - bytes.data());
        if (converted != static_cast<std::size_t>(-1) || (error == E2BIG && to != buffer)) {
            continue;
        }
        if (error == EINVAL && pos >= chunkEnd) {
            break;  // the chunk is done; the character cut here is the next call's
        }
        if (error == EINVAL && stop < reach) {
            stop = reach;  // a character runs past the chunk: read it whole
            continue;
        }
        // Not text in this charset, or cut off by the end of the file: one byte is passed over.
        text::appendUtf8(out, 0xFFFD);
        ++pos;
    }
    return pos;
}

}  // namespace lh::bookmarks
