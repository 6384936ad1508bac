#include "commands/Autosave.h"

namespace lh::commands {

AutosaveStep autosaveTick(int counter, int intervalSeconds, bool enabled) {
    const int counted = counter + kHousekeepingTickSeconds;
    if (counted <= intervalSeconds) {
        return {counted, false};
    }
    // The count starts again even while autosave is off, so switching it on waits a whole
    // interval.
    return {0, enabled};
}

}  // namespace lh::commands
