#include "commands/RemindEditor.h"

#include <climits>
#include <cstdint>
#include <tuple>

#include "commands/ItemEditor.h"
#include "platform/Clock.h"
#include "settings/AppSettings.h"
#include "store/ChangeStep.h"
#include "store/Database.h"
#include "store/RemindKey.h"
#include "text/CaseFold.h"
#include "text/Trim.h"
#include "text/Utf8.h"

namespace lh::commands {

namespace {

bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::uint32_t typeBits(std::optional<RemindType> type) {
    if (type == RemindType::Once) {
        return store::kScheduleOnce;
    }
    return type == RemindType::Yearly ? store::kScheduleYearly : store::kScheduleWeekdays;
}

// The schedule bits of the values: the type, and for custom days the checked days.
std::uint32_t scheduleBits(const RemindValues& values) {
    const std::uint32_t type = typeBits(values.type);
    if (type != store::kScheduleWeekdays) {
        return type;
    }
    return type | (values.weekdays & store::kScheduleDaysMask);
}

store::DateTimeStamp remindStamp(const RemindValues& values, int hour, int minute) {
    return {static_cast<std::uint16_t>(((values.year % 100) + 100) % 100),
            static_cast<std::uint8_t>(values.month),
            static_cast<std::uint8_t>(values.day),
            static_cast<std::uint8_t>(hour),
            static_cast<std::uint8_t>(minute),
            0,
            0};
}

// Reminders kept here never ring.
bool rings(store::CategoryId category) {
    return category != store::kRecycleId && category != store::kSilentRemindersId;
}

// True when the values' date and time are later than `now`'s minute.
bool laterThanNow(const RemindValues& values, int hour, int minute,
                  const platform::LocalTime& now) {
    return std::tie(values.year, values.month, values.day, hour, minute) >
           std::tie(now.year, now.month, now.day, now.hour, now.minute);
}

std::string cut(std::string_view s, std::size_t maxBytes) {
    return std::string(text::cutUtf8(s, maxBytes));
}

}  // namespace

int readLeadingNumber(std::string_view typed) {
    std::size_t i = 0;
    while (i < typed.size() && isSpace(typed[i])) {
        ++i;
    }
    bool negative = false;
    if (i < typed.size() && (typed[i] == '+' || typed[i] == '-')) {
        negative = typed[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < typed.size() && typed[i] >= '0' && typed[i] <= '9'; ++i) {
        value = value * 10 + (typed[i] - '0');
        if (value > INT_MAX) {
            return negative ? INT_MIN : INT_MAX;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

RemindEditor::RemindEditor(store::Database& db, Prompter& prompter, const platform::Clock& clock)
    : m_db(db), m_prompter(prompter), m_clock(clock) {}

std::optional<RemindEditor::Time> RemindEditor::checkTime(const RemindValues& values) {
    const int hour = readLeadingNumber(values.hour);
    if (hour < 0 || hour > 23) {
        m_refused = RemindInput::Hour;
        m_prompter.tell(std::string(kHourRangeMessage), Prompter::Icon::Warning);
        return std::nullopt;
    }
    const int minute = readLeadingNumber(values.minute);
    if (minute < 0 || minute > 59) {
        m_refused = RemindInput::Minute;
        m_prompter.tell(std::string(kMinuteRangeMessage), Prompter::Icon::Warning);
        return std::nullopt;
    }
    return Time{hour, minute};
}

bool RemindEditor::checkValues(const RemindValues& values, std::string_view& title, Time& time) {
    m_refused = RemindInput::None;
    title = text::trimLeadingBlanks(values.title);
    if (title.empty()) {
        m_refused = RemindInput::Title;
        m_prompter.tell(std::string(kInputRemindTitleMessage), Prompter::Icon::Warning);
        return false;
    }
    const std::optional<Time> checked = checkTime(values);
    if (!checked) {
        return false;
    }
    time = *checked;
    // No category chosen: the dialog stays open without a word, as the other item dialogs do.
    return values.category && m_db.findCategory(*values.category) != nullptr;
}

bool RemindEditor::confirmPassedTime() {
    const Prompter::Answer answer =
        m_prompter.ask({std::string(kPassedTimeQuestion), "Linkhaven", Prompter::Buttons::YesNo,
                        Prompter::Icon::Question});
    if (answer == Prompter::Answer::Yes) {
        return true;
    }
    m_refused = RemindInput::Hour;
    return false;
}

DialogOutcome RemindEditor::add(const RemindValues& values) {
    std::string_view title;
    Time time{};
    if (!checkValues(values, title, time)) {
        return DialogOutcome::KeepOpen;
    }
    const platform::LocalTime now = m_clock.now();
    store::ItemFields fields;
    fields.flags = store::kKindRemind | scheduleBits(values);
    fields.rate = values.rate;
    fields.title = cut(title, kNewTitleMax);
    fields.comment = cut(values.memo, kCommentMax);
    fields.location = values.sound;
    fields.createTime = createStamp(now);
    fields.remindTime = remindStamp(values, time.hour, time.minute);
    const std::optional<store::RemindKey> key = store::remindKey(fields.flags, fields.remindTime);
    bool filed = key && rings(*values.category);
    if (filed && typeBits(values.type) == store::kScheduleOnce &&
        !laterThanNow(values, time.hour, time.minute, now)) {
        if (!confirmPassedTime()) {
            return DialogOutcome::KeepOpen;
        }
        filed = false;
    }
    const store::ChangeStep step(m_db, "Add Remind '" + fields.title + "'");
    const store::ItemRecord* item = m_db.addItem(*values.category, fields);
    if (item != nullptr && filed) {
        m_db.addReminder(*key, item->id());
    }
    return DialogOutcome::Close;
}

DialogOutcome RemindEditor::edit(store::ItemId id, const RemindValues& values) {
    const store::ItemRecord* item = m_db.findItem(id);
    if (item == nullptr) {
        return DialogOutcome::Close;
    }
    std::string_view title;
    Time time{};
    if (!checkValues(values, title, time)) {
        return DialogOutcome::KeepOpen;
    }
    store::ItemEdit edit;
    edit.location = values.sound;
    edit.rate = values.rate;
    if (!text::equalsIgnoringCase(title, item->title())) {
        edit.title = cut(title, kNewTitleMax);
    }
    edit.comment = cut(values.memo, kCommentMax);
    // Days count only for custom days: other types keep the ones stored.
    std::uint32_t flags = item->flags() & ~store::kScheduleMask;
    if (typeBits(values.type) == store::kScheduleWeekdays) {
        flags &= ~store::kScheduleDaysMask;
    }
    edit.flags = flags | scheduleBits(values);
    edit.remindTime = remindStamp(values, time.hour, time.minute);

    // The Database refiles the reminder only when its type or key changes (or it leaves a
    // category that never rings); ask before such a one-time reminder is left out as too early.
    const bool refiled = ((*edit.flags ^ item->flags()) & store::kScheduleMask) != 0 ||
                         store::remindKey(*edit.flags, *edit.remindTime) !=
                             store::remindKey(item->flags(), item->remindTime());
    const bool filedAnew = refiled || !rings(item->categoryId());
    if (filedAnew && rings(*values.category) &&
        store::isExpiredOnceReminder(*edit.flags, *edit.remindTime, m_clock.now()) &&
        !confirmPassedTime()) {
        return DialogOutcome::KeepOpen;
    }
    const store::ChangeStep step(m_db, "Edit '" + std::string(item->title()) + "'");
    m_db.editItem(id, edit);
    moveItemToCategory(m_db, *item, *values.category);
    return DialogOutcome::Close;
}

bool RemindEditor::saveDefaults(settings::AppSettings& settings, const RemindValues& values,
                                std::uint8_t pictureRate) {
    m_refused = RemindInput::None;
    const std::optional<Time> time = checkTime(values);
    if (!time) {
        return false;
    }
    settings.RmdHour = static_cast<std::uint16_t>(time->hour);
    settings.RmdMinute = static_cast<std::uint16_t>(time->minute);
    if (values.type == RemindType::Once) {
        settings.RmdCheck &= static_cast<std::uint16_t>(~kDefaultNotOnceBit);
    } else {
        const auto days =
            static_cast<std::uint16_t>((values.weekdays >> kDefaultDaysShift) & kDefaultDaysMask);
        settings.RmdCheck = static_cast<std::uint16_t>((settings.RmdCheck & ~kDefaultDaysMask) |
                                                       kDefaultNotOnceBit | days);
    }
    if (values.category) {
        settings.RmdNormal1 = *values.category;
    }
    settings.RmdNormal = pictureRate;
    return true;
}

}  // namespace lh::commands
