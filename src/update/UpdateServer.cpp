#include "update/UpdateServer.h"

namespace lh::update {
// Placeholders until the parser lands.
std::string UpdateServer::hostText() const {
    return host;
}
UpdateServer defaultUpdateServer() {
    return {"example.org", 80};
}
std::optional<UpdateServer> parseUpdateUrl(std::string_view) {
    return std::nullopt;
}
bool isUsableServer(const UpdateServer&) {
    return false;
}
std::optional<UpdateServer> chooseUpdateServer(const char*) {
    return defaultUpdateServer();
}
}  // namespace lh::update
