#include "commands/DropZoneClock.h"

#include <array>

namespace lh::commands {

namespace {

// The sine of 6k degrees for k = 0..15. The numbers are the table's own: 20 x 0.5 must give
// exactly 10, which std::sin(30 degrees) (a little under 0.5) would not.
constexpr std::array<double, 16> kSine = {
    0,          0.10452,    0.20791,     0.30901,  0.40673664, 0.5,       0.58778525, 0.669130606,
    0.74314482, 0.80901699, 0.866025403, 0.913545, 0.9510565,  0.9781476, 0.9945218,  1.0};

// `length` x T[k], cut toward zero.
int scaled(int length, int k) {
    return static_cast<int>(length * kSine[static_cast<std::size_t>(k)]);
}

int wrap(int value, int dial) {
    const int r = value % dial;
    return r < 0 ? r + dial : r;
}

}  // namespace

HandPositions handPositions(const platform::LocalTime& time) {
    const int minute = wrap(time.minute, 60);
    return {wrap(time.hour, 12) * 5 + minute / 12, minute, wrap(time.second, 60)};
}

HandEnd handEnd(int position, int length, int cx, int cy) {
    const int p = wrap(position, 60);
    if (p <= 15) {
        return {cx + scaled(length, p), cy - scaled(length, 15 - p)};
    }
    if (p <= 30) {
        const int k = p - 15;
        return {cx + scaled(length, 15 - k), cy + scaled(length, k)};
    }
    if (p <= 45) {
        const int k = 45 - p;
        return {cx - scaled(length, 15 - k), cy + scaled(length, k)};
    }
    const int k = p - 45;
    return {cx - scaled(length, 15 - k), cy - scaled(length, k)};
}

}  // namespace lh::commands
