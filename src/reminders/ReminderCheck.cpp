#include "reminders/ReminderCheck.h"

#include <string>
#include <utility>

#include "store/Database.h"
#include "store/RemindKey.h"

namespace lh::reminders {

namespace {

using store::ItemRecord;
using store::RemindKey;

// Week-day keys run to 2359 and yearly keys to 12312359; one-time keys of years 01 on lie above.
constexpr RemindKey kLargestYearlyKey = 12312359;
// Years a yearly reminder of 02-29 may wait for its next day.
constexpr int kLongestYearlyGap = 8;

std::uint32_t scheduleOf(const ItemRecord& item) {
    if (item.flags() & store::kScheduleWeekdays) {
        return store::kScheduleWeekdays;
    }
    return item.flags() & store::kScheduleYearly;
}

// The latest minute not after `now` on which a week-day reminder rings; none when no day is
// chosen.
std::optional<MinuteNumber> latestWeekdayRing(const ItemRecord& item, MinuteNumber now) {
    const store::DateTimeStamp& t = item.remindTime();
    const MinuteNumber inDay = t.hour * 60 + t.minute;
    const std::int64_t today = now >= 0 ? now / kMinutesPerDay : (now + 1) / kMinutesPerDay - 1;
    for (std::int64_t day = today; day >= today - 7; --day) {
        const MinuteNumber ring = day * kMinutesPerDay + inDay;
        if (ring <= now && (item.flags() & store::weekdayBit(isoWeekday(day))) != 0) {
            return ring;
        }
    }
    return std::nullopt;
}

// The latest minute not after `now` on which a yearly reminder rings (02-29 only in leap years).
std::optional<MinuteNumber> latestYearlyRing(const ItemRecord& item, MinuteNumber now) {
    const store::DateTimeStamp& t = item.remindTime();
    const int thisYear = localMinute(now).year;
    for (int year = thisYear; year >= thisYear - kLongestYearlyGap; --year) {
        if (t.day < 1 || t.day > daysInMonth(year, t.month)) {
            continue;
        }
        const MinuteNumber ring = minuteNumber({year, t.month, t.day, t.hour, t.minute, 0, 0});
        if (ring <= now) {
            return ring;
        }
    }
    return std::nullopt;
}

// The minute a one-time key names, in the century of `now`.
platform::LocalTime onceKeyMinute(RemindKey key, const platform::LocalTime& now) {
    const auto field = [key](RemindKey at) { return static_cast<int>(key / at % 100); };
    const int year = now.year - now.year % 100 + field(100000000);
    return localMinute(
        minuteNumber({year, field(1000000), field(10000), field(100), field(1), 0, 0}));
}

}  // namespace

ReminderCheck::ReminderCheck(std::optional<platform::LocalTime> lastChecked,
                             const platform::LocalTime& start) {
    const MinuteNumber first = minuteNumber(start);
    m_lastChecked = first - 1;
    if (lastChecked && minuteNumber(*lastChecked) <= first) {
        m_lastChecked = minuteNumber(*lastChecked);
    }
}

ReminderCheck::Tick ReminderCheck::tick(store::Database& db, const platform::LocalTime& now) {
    const MinuteNumber minute = minuteNumber(now);
    if (m_lastChecked - minute > kLargestStepBack) {
        m_lastChecked = minute - 1;  // the clock was set back: start afresh
    }
    Tick result;
    const auto announce = [&](const ItemRecord& item, RemindKey key,
                              std::optional<platform::LocalTime> dueAt,
                              std::vector<DueReminder>& into) {
        const store::CategoryRecord* category = db.findCategory(item.categoryId());
        if (category == nullptr) {
            return;
        }
        if (dueAt && minuteNumber(*dueAt) >= minute) {
            dueAt.reset();  // on time
        }
        Announcement shown{std::string(item.title()),
                           std::string(item.comment()),
                           category->name(),
                           std::string(item.location()),
                           item.rate(),
                           dueAt};
        into.push_back({std::move(shown), key, scheduleOf(item)});
    };

    const RemindKey onceNow = store::dueRemindKeys(now)[0];
    std::vector<std::pair<RemindKey, store::ItemId>> fired;
    std::vector<DueReminder> weekdays;
    std::vector<DueReminder> yearly;
    const auto& index = db.remindIndex();
    for (auto it = index.begin(); it != index.end() && it->first <= onceNow; ++it) {
        for (const ItemRecord* item : it->second) {
            const std::uint32_t schedule = scheduleOf(*item);
            if (schedule == store::kScheduleOnce) {
                announce(*item, it->first, onceKeyMinute(it->first, now), result.due);
                fired.emplace_back(it->first, item->id());
                continue;
            }
            if (it->first > kLargestYearlyKey || minute <= m_lastChecked) {
                continue;
            }
            const bool weekly = schedule == store::kScheduleWeekdays;
            const auto ring =
                weekly ? latestWeekdayRing(*item, minute) : latestYearlyRing(*item, minute);
            if (ring && *ring > m_lastChecked) {
                announce(*item, it->first, localMinute(*ring), weekly ? weekdays : yearly);
            }
        }
    }
    for (const auto& [key, id] : fired) {
        db.removeReminder(key, id);
    }
    result.due.insert(result.due.end(), weekdays.begin(), weekdays.end());
    result.due.insert(result.due.end(), yearly.begin(), yearly.end());
    if (minute > m_lastChecked) {
        m_lastChecked = minute;
        result.advanced = true;
    }
    db.setOnceReminderHorizon(localMinute(m_lastChecked));
    return result;
}

}  // namespace lh::reminders
