#include "linkcheck/LinkCheck.h"

#include <array>

namespace lh::linkcheck {
namespace {

constexpr std::array<std::string_view, 5> kNames{"ok", "moved", "dead", "error", "skipped"};

}  // namespace

std::string_view verdictName(Verdict verdict) {
    return kNames[static_cast<std::size_t>(verdict)];
}

std::optional<Verdict> verdictFromName(std::string_view name) {
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (kNames[i] == name) {
            return static_cast<Verdict>(i);
        }
    }
    return std::nullopt;
}

}  // namespace lh::linkcheck
