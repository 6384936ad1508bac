#pragma once

#include <string>
#include <string_view>

#include "update/HttpResponse.h"

namespace lh::update {

// What a relative "location" is made absolute against: the request's host text and the folder
// of its path.
struct RequestTarget {
    std::string hostText;             // as in the Host header
    std::string folder = "/images/";  // the folder of the requested file
};

// Parses one header line (already cut and trimmed) into `response`: 0 for a line stored or
// ignored, 1 after a "transfer-encoding" line, kBadLocation for an unusable "location". The
// name is found by substring search in the table of known names, so a part of a known name
// ("length") counts as that name.
int parseHeaderLine(std::string_view line, HttpResponse& response, const RequestTarget& target);

}  // namespace lh::update
