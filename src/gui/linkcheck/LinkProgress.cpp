#include "gui/linkcheck/LinkProgress.h"

#include <cstdio>

namespace lh::gui {

namespace {

// "45 s", "3 min 05 s", "1 h 02 min".
std::string duration(std::int64_t seconds) {
    char buffer[32];
    if (seconds < 60) {
        std::snprintf(buffer, sizeof buffer, "%lld s", static_cast<long long>(seconds));
    } else if (seconds < 3600) {
        std::snprintf(buffer, sizeof buffer, "%lld min %02lld s",
                      static_cast<long long>(seconds / 60), static_cast<long long>(seconds % 60));
    } else {
        std::snprintf(buffer, sizeof buffer, "%lld h %02lld min",
                      static_cast<long long>(seconds / 3600),
                      static_cast<long long>(seconds % 3600 / 60));
    }
    return buffer;
}

}  // namespace

std::string LinkProgress::text() const {
    const std::string counts = std::to_string(done) + " / " + std::to_string(total) + " links";
    if (cancelled) {
        return "Cancelled: " + counts;
    }
    if (finished) {
        return "Done: " + counts;
    }
    if (elapsedSeconds <= 0 || checked == 0) {
        return counts;
    }
    const double rate = static_cast<double>(checked) / static_cast<double>(elapsedSeconds);
    char figure[32];
    std::snprintf(figure, sizeof figure, rate < 1 ? "%.2g" : "%.1f", rate);
    const std::size_t remaining = done < total ? total - done : 0;
    const auto left = static_cast<std::int64_t>(static_cast<double>(remaining) / rate + 0.5);
    return counts + ", " + figure + " per second, about " + duration(left) + " left";
}

int LinkProgress::perMille() const {
    return total == 0 ? 1000 : static_cast<int>(done * 1000 / total);
}

}  // namespace lh::gui
