#pragma once

namespace lh::commands {

// What the main window's timers need from the rest of the program besides the daily backup and
// the autosave: the reminder tick's own work, and whether the timers must hold back. Given to the
// window by whoever owns that work; it must outlive the window.
class TimerWork {
public:
    virtual ~TimerWork() = default;

    // True while every timer's work must wait for the next tick: an import keeps the event loop
    // running under its progress dialog, and nothing may save or ring meanwhile.
    virtual bool mustWait() const = 0;
    // Runs on each reminder tick (every 52 s), after the due reminders and the daily backup.
    virtual void remind() = 0;
};

}  // namespace lh::commands
