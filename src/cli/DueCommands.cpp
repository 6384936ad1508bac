// linkhaven-cli due: what the reminder timer would announce at a given minute.

#include <optional>

#include "cli/CliContext.h"
#include "cli/Json.h"
#include "reminders/CivilTime.h"
#include "reminders/ReminderCheck.h"
#include "store/Database.h"

namespace lh::cli {

namespace {

// A clock stopped at one minute.
class StoppedClock final : public platform::Clock {
public:
    explicit StoppedClock(platform::LocalTime at) : m_at(at) {}
    platform::LocalTime now() const override { return m_at; }
    std::int64_t utcSeconds() const override { return 0; }

private:
    platform::LocalTime m_at;
};

const char* scheduleName(std::uint32_t schedule) {
    switch (schedule) {
        case store::kScheduleYearly:
            return "yearly";
        case store::kScheduleWeekdays:
            return "weekdays";
        default:
            return "once";
    }
}

int cmdDue(Context& c) {
    std::optional<std::string> path;
    std::optional<std::string> atText;
    for (std::size_t i = 0; i < c.args.size(); ++i) {
        if (c.args[i] == "--at" && i + 1 < c.args.size()) {
            atText = c.args[++i];
        } else if (!path) {
            path = c.args[i];
        } else {
            return usageError(c, "due takes FILE and --at \"YYYY-MM-DD HH:MM\"");
        }
    }
    if (!path || !atText) {
        return usageError(c, "due takes FILE and --at \"YYYY-MM-DD HH:MM\"");
    }
    const auto at = reminders::parseMinute(*atText);
    if (!at) {
        return fail(c, *path, "--at must be a real minute as \"YYYY-MM-DD HH:MM\": " + *atText);
    }
    const StoppedClock clock(*at);
    store::Database db(clock);
    if (const int status = loadOrReport(c, db, *path); status != kExitOk) {
        return status;
    }
    reminders::ReminderCheck check(std::nullopt, *at);
    for (const reminders::DueReminder& due : check.tick(db, *at).due) {
        const reminders::Announcement& a = due.announcement;
        c.out << JsonLine()
                     .add("key", due.key)
                     .add("type", scheduleName(due.schedule))
                     .add("title", a.title)
                     .add("comment", a.comment)
                     .add("category", a.category)
                     .add("rate", a.rate)
                     .add("sound", a.sound)
                     .str()
              << "\n";
    }
    return kExitOk;
}

}  // namespace

std::vector<Command> dueCommands() {
    return {{"due", "due FILE --at \"YYYY-MM-DD HH:MM\"  print the reminders due at that minute",
             cmdDue}};
}

}  // namespace lh::cli
