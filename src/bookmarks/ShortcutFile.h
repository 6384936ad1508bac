#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lh::bookmarks {

// Internet-shortcut files (".url"): an INI text whose [InternetShortcut] section holds the
// address as URL=... Only a prefix of a file is read.
inline constexpr std::size_t kShortcutReadLimit = 64 * 1024;

// The address in the text of a shortcut file: the first non-empty value of the key "URL" in
// the section "[InternetShortcut]" (key and section in any letter case, anywhere in the
// section, lines ended by LF or CRLF or by the end of the text), trimmed, as UTF-8 (bytes that
// are not UTF-8 are read as Windows-1252). Empty when there is none.
std::string readShortcutAddress(std::string_view text);

}  // namespace lh::bookmarks
