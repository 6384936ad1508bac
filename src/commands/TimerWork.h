#pragma once

namespace lh::commands {

// Whether the main window's timers must hold back their work (reminders, backup, autosave). Given
// to the window by whoever knows; it must outlive the window.
class TimerWork {
public:
    virtual ~TimerWork() = default;

    // True while every timer's work must wait for the next tick: an import keeps the event loop
    // running under its progress dialog, and nothing may save or ring meanwhile.
    virtual bool mustWait() const = 0;
};

}  // namespace lh::commands
