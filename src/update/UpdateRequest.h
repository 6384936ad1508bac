#pragma once

#include <string>
#include <string_view>

namespace lh::update {

inline constexpr std::string_view kUpdateFilePath = "/images/lhdupdate.ini";
// The request's fixed bytes, without the host text that stands in it twice.
inline constexpr std::size_t kRequestFixedBytes = 212;

// The GET request for the update file, `hostText` in its Host and Referer headers. It ends with a
// line of two blanks before the empty line: our server accepts it, some strict ones do not.
std::string buildUpdateRequest(std::string_view hostText);

}  // namespace lh::update
