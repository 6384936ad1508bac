#pragma once

#include <cstddef>
#include <functional>

namespace lh::store {

// Hears how a save of the Database goes, so that a window can keep painting meanwhile (see
// Database::setSaveProgress). Whatever it does while told must not change the Database.
class SaveProgress {
public:
    virtual ~SaveProgress() = default;

    // A save of `records` records (categories and items) begins.
    virtual void saveBegun(std::size_t records) = 0;
    // `written` records are written; told every few thousand records.
    virtual void saveProgressed(std::size_t written) = 0;
    // Runs `step`, the save's last one (flushing the file to disk and putting it in place), which
    // touches no record: it may run on another thread while the event loop goes on.
    virtual void finishSave(const std::function<void()>& step) { step(); }
    // The save ended, written or not.
    virtual void saveEnded() = 0;
};

}  // namespace lh::store
