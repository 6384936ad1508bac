#pragma once

#include "platform/Clock.h"

namespace lh::commands {

// The DropZone's analogue clock: where its three hands point at a given time and where each ends.
// Positions are minute marks 0..59 clockwise from twelve o'clock.

// The centre of the clock face in the face picture's pixels (y grows downwards).
inline constexpr int kClockCentre = 43;
// Hand lengths and pen widths in pixels.
inline constexpr int kSecondHandLength = 32;
inline constexpr int kMinuteHandLength = 27;
inline constexpr int kHourHandLength = 20;
inline constexpr int kSecondHandWidth = 1;
inline constexpr int kMinuteHandWidth = 2;
inline constexpr int kHourHandWidth = 2;

struct HandPositions {
    int hour = 0;  // moves one mark every 12 minutes
    int minute = 0;
    int second = 0;
    bool operator==(const HandPositions&) const = default;
};

struct HandEnd {
    int x = 0;
    int y = 0;
    bool operator==(const HandEnd&) const = default;
};

// The hand positions at `time`; values out of range are taken modulo their dial.
HandPositions handPositions(const platform::LocalTime& time);

// The end of a hand of `length` pixels at `position` (taken modulo 60) from the centre
// (`cx`, `cy`). The offsets come from a fixed table of sines of 6-degree steps, each product cut
// toward zero before it is added, so the hands land on the same pixels on every machine.
HandEnd handEnd(int position, int length, int cx = kClockCentre, int cy = kClockCentre);

}  // namespace lh::commands
