#include "reminders/Announcement.h"

#include <cstdio>

namespace lh::reminders {

std::string missedText(const platform::LocalTime& at) {
    char text[40];
    std::snprintf(text, sizeof text, "Missed: %04d-%02d-%02d %02d:%02d", at.year, at.month, at.day,
                  at.hour, at.minute);
    return text;
}

}  // namespace lh::reminders
