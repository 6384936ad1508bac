#pragma once

#include <string>
#include <string_view>

namespace lh::platform {

// The separator of this platform's paths.
constexpr char kPathSeparator = '/';

// `folder` and `name` joined with one separator.
std::string joinPath(std::string_view folder, std::string_view name);

// The folder part of `path` ("." when it has none, "/" for a file in the root).
std::string parentFolder(std::string_view path);

// The part after the last separator.
std::string_view fileName(std::string_view path);

bool isAbsolutePath(std::string_view path);

}  // namespace lh::platform
