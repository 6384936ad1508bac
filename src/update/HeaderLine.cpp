#include "update/HeaderLine.h"

namespace lh::update {
// Placeholder until the parser lands.
int parseHeaderLine(std::string_view, HttpResponse&, const RequestTarget&) {
    return 0;
}
}  // namespace lh::update
