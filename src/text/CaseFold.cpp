#include "text/CaseFold.h"

#include <algorithm>
#include <array>

#include "text/Ascii.h"
#include "text/Utf8.h"

namespace lh::text {

namespace {

struct FoldRun {
    char32_t first;
    char32_t last;
    int stride;
    int delta;
};

constexpr FoldRun kFoldRuns[] = {
#include "text/CaseFoldTable.inc"
};

// Calls `sink` with each folded character of `s`; ill-formed bytes pass through one by one.
template <typename Sink>
void forEachFolded(std::string_view s, Sink&& sink) {
    std::size_t pos = 0;
    while (pos < s.size()) {
        if (isAscii(s[pos])) {
            const char folded = toLowerAscii(s[pos]);
            sink(std::string_view(&folded, 1));
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        const char32_t cp = decodeUtf8(s, pos);
        if (cp == 0xFFFD && pos == start + 1) {
            sink(s.substr(start, 1));  // not UTF-8: the byte stands for itself
            continue;
        }
        const char32_t folded = foldCase(cp);
        if (folded == cp) {
            sink(s.substr(start, pos - start));
        } else {
            std::string encoded;
            appendUtf8(encoded, folded);
            sink(std::string_view(encoded));
        }
    }
}

}  // namespace

char32_t foldCase(char32_t cp) {
    if (cp < 0x80) {
        return static_cast<char32_t>(toLowerAscii(static_cast<char>(cp)));
    }
    const auto* end = std::end(kFoldRuns);
    const auto* run = std::upper_bound(std::begin(kFoldRuns), end, cp,
                                       [](char32_t v, const FoldRun& r) { return v < r.first; });
    if (run == std::begin(kFoldRuns)) {
        return cp;
    }
    --run;
    if (cp > run->last || (cp - run->first) % static_cast<char32_t>(run->stride) != 0) {
        return cp;
    }
    return static_cast<char32_t>(static_cast<int>(cp) + run->delta);
}

std::string foldCase(std::string_view s) {
    std::string out;
    appendFoldedCase(s, out);
    return out;
}

void appendFoldedCase(std::string_view s, std::string& out) {
    // Most texts are all ASCII: those fold byte by byte, in loops without branches that the
    // compiler can vectorise (Find folds every title, address and comment of the database).
    unsigned char seen = 0;
    for (char c : s) {
        seen |= static_cast<unsigned char>(c);
    }
    if (seen < 0x80) {
        const std::size_t start = out.size();
        out.resize(start + s.size());
        std::transform(s.begin(), s.end(), out.begin() + static_cast<std::ptrdiff_t>(start),
                       [](char c) { return toLowerAscii(c); });
        return;
    }
    forEachFolded(s, [&](std::string_view piece) { out.append(piece); });
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    // Fast path for ASCII-only texts, the common case for addresses.
    const bool asciiOnly = std::all_of(a.begin(), a.end(), [](char c) { return isAscii(c); }) &&
                           std::all_of(b.begin(), b.end(), [](char c) { return isAscii(c); });
    if (asciiOnly) {
        return equalsIgnoringAsciiCase(a, b);
    }
    return foldCase(a) == foldCase(b);
}

std::uint64_t hashIgnoringCase(std::string_view s) {
    // FNV-1a over the folded bytes.
    std::uint64_t h = 0xcbf29ce484222325ULL;
    const auto mix = [&h](unsigned char c) {
        h ^= c;
        h *= 0x100000001b3ULL;
    };
    if (std::all_of(s.begin(), s.end(), [](char c) { return isAscii(c); })) {
        for (char c : s) {
            mix(static_cast<unsigned char>(toLowerAscii(c)));
        }
        return h;
    }
    forEachFolded(s, [&](std::string_view piece) {
        for (char c : piece) {
            mix(static_cast<unsigned char>(c));
        }
    });
    return h;
}

}  // namespace lh::text
