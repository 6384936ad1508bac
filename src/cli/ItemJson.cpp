#include "cli/ItemJson.h"

#include <array>
#include <cstdio>

#include "cli/CategoryPath.h"
#include "cli/Json.h"
#include "items/ItemTexts.h"
#include "store/CategoryNames.h"
#include "store/Database.h"
#include "store/RemindKey.h"

namespace lh::cli {

namespace {

std::string twoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

void addSchedule(JsonLine& line, const store::ItemRecord& item) {
    const std::uint32_t flags = item.flags();
    const store::DateTimeStamp& t = item.remindTime();
    const std::string time = twoDigits(t.hour) + ":" + twoDigits(t.minute);
    const std::string day = twoDigits(t.month) + "-" + twoDigits(t.day);
    switch (flags & store::kScheduleMask) {
        case store::kScheduleYearly:
            line.add("schedule", "yearly").add("remind", day + " " + time);
            return;
        case store::kScheduleWeekdays: {
            static constexpr std::array<const char*, 7> kDays{"mon", "tue", "wed", "thu",
                                                              "fri", "sat", "sun"};
            std::vector<std::string> days;
            for (int d = 1; d <= 7; ++d) {
                if ((flags & store::weekdayBit(d)) != 0) {
                    days.emplace_back(kDays[static_cast<std::size_t>(d - 1)]);
                }
            }
            line.add("schedule", "weekdays").add("remind", time).add("days", days);
            return;
        }
        default:
            line.add("schedule", "once")
                .add("remind", std::to_string(t.year) + "-" + day + " " + time);
    }
}

}  // namespace

std::string itemJson(const store::Database& db, const store::ItemRecord& item) {
    JsonLine line;
    line.add("category", store::categoryNames(*db.findCategory(item.categoryId())))
        .add("position", item.position() + 1);
    const std::uint32_t kind = item.kind();
    line.add("kind", kind == store::kKindUrl      ? "url"
                     : kind == store::kKindFile   ? "file"
                     : kind == store::kKindRemind ? "remind"
                                                  : "other");
    line.add("title", item.title()).add("address", item.address()).add("comment", item.comment());
    line.add("rate", item.rate()).add("created", items::listTimeText(item.createTime()));
    if (kind == store::kKindFile) {
        line.add("folder", item.location());
    } else if (kind == store::kKindRemind) {
        addSchedule(line, item);
    }
    return line.str();
}

}  // namespace lh::cli
