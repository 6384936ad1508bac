#include "update/UpdateRequest.h"

namespace lh::update {

std::string buildUpdateRequest(std::string_view hostText) {
    std::string request;
    request.reserve(kRequestFixedBytes + 2 * hostText.size());
    request.append("GET ").append(kUpdateFilePath).append(" HTTP/1.1\r\n");
    request.append("Host: ").append(hostText).append("\r\n");
    request.append("Accept: */* \r\n");
    request.append("Referer: http://").append(hostText).append("/images\r\n");
    request.append("User-Agent: Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n");
    request.append("Pragma: no-cache\r\n");
    request.append("Cache-Control: no-cache\r\n");
    request.append("Connection: close\r\n");
    request.append("  \r\n");
    request.append("\r\n");
    return request;
}

}  // namespace lh::update
