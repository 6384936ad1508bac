#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace lh::settings {

// A settings file in the ".ini" layout: "[Section]" lines, then "key=value" lines. Not QSettings:
// on Linux its names are case-sensitive and it reads "255,255,255" as a list.
// - Section and key names match in any letter case (ASCII), blanks around them ignored.
// - The first occurrence of a key in its section wins, also when the section comes again.
// - A UTF-8 byte-order mark at the start is skipped; lines end at LF, CR LF or CR.
// - Lines starting with ';' or '#', lines without '=' and keys before any section are ignored.
// - A value loses its leading and trailing blanks and is cut to `maxValueBytes` (never inside
//   a UTF-8 character).
class IniText {
public:
    explicit IniText(std::string_view text, std::size_t maxValueBytes = 590);

    // The value of `key` in `section`, or nothing when either is missing.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;
    // The value, or `fallback` when missing.
    std::string valueOr(std::string_view section, std::string_view key,
                        std::string_view fallback) const;

private:
    // Values by section and key, both in lower case.
    std::map<std::pair<std::string, std::string>, std::string, std::less<>> m_values;
};

}  // namespace lh::settings
