#include "commands/Housekeeping.h"

#include "commands/Autosave.h"

namespace lh::commands {

namespace {

constexpr int kUpdateCheckAt = 60;  // the count that starts the update check
constexpr int kCountAtRest = 70;    // where the count stays afterwards

}  // namespace

Housekeeping::Tick Housekeeping::tick(std::int64_t nowUtc, int autoSaveSeconds, bool autoSave) {
    Tick result;
    if (startCounter == kUpdateCheckAt) {
        startCounter = kCountAtRest;
        result.startUpdateCheck = true;
    } else if (startCounter < kUpdateCheckAt) {
        startCounter += kHousekeepingTickSeconds;
    }
    result.due = snoozes.takeDue(nowUtc);
    const AutosaveStep step = autosaveTick(saveCounter, autoSaveSeconds, autoSave);
    saveCounter = step.counter;
    result.save = step.save;
    return result;
}

}  // namespace lh::commands
