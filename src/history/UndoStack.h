#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "history/UndoStep.h"
#include "store/Change.h"

namespace lh::store {
class Database;
}

namespace lh::history {

// How much history is kept: the oldest steps go beyond either limit.
struct UndoLimits {
    std::size_t steps = 100;
    std::size_t bytes = std::size_t(256) << 20;  // kept records and old values
};

// The undo history of one Database: the steps done (undone from the latest back) and the steps
// undone (redone in turn). Every change the database makes is recorded into the step open at the
// time; a change made while no step is open (by other means, such as a command handed over from
// the command line) empties the history, as does emptying the database (New, Open, a reload,
// the end), so that undo never touches a record changed behind its back.
//
// Undo moves a step's kept records back into the database; the changes that makes become the
// step that redo reverts, so redo restores the same records and never runs a command again.
class UndoStack final : public store::ChangeJournal {
public:
    using Limits = UndoLimits;

    // Records the changes of `db` from now on; must go before `db`.
    explicit UndoStack(store::Database& db, Limits limits = {});
    ~UndoStack() override;
    UndoStack(const UndoStack&) = delete;
    UndoStack& operator=(const UndoStack&) = delete;

    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < m_steps.size(); }
    // The name of the step undo or redo would take back or bring back; empty when none.
    std::string undoName() const;
    std::string redoName() const;
    // Undoes the latest step. False when there is none, or when memory ran out: the database is
    // then as it was (`error` says so) or, when even that failed, the history is emptied.
    bool undo(std::string* error = nullptr);
    bool redo(std::string* error = nullptr);
    // Drops every step and the records they keep.
    void clear();

    // The saved-state marker: the database now is what its file holds. Undoing or redoing back
    // to this point counts as unchanged.
    void markClean();
    bool isClean() const;

    std::size_t size() const { return m_steps.size(); }
    std::size_t bytes() const { return m_bytes; }
    // Called after every change of the history (a step added, undone, redone, dropped).
    void onChanged(std::function<void()> callback) { m_changed = std::move(callback); }

    // store::ChangeJournal (steps are opened with store::ChangeStep)
    void beginStep(std::string name) override;
    void endStep() override;
    bool recording() const override { return m_open != nullptr; }
    void record(store::Change change) override;
    void changedUnrecorded() override;
    void databaseClearing() override;

private:
    void push(UndoStep step);
    void enforceLimits();
    // Reverts `step` and gives the step that reverts the revert; std::nullopt when memory ran
    // out (the database then as before, or `lost` set when it could not be put back).
    std::optional<UndoStep> replay(UndoStep& step, bool& lost);
    bool move(bool back, std::string* error);
    void changed();

    store::Database& m_db;
    Limits m_limits;
    std::deque<UndoStep> m_steps;
    std::size_t m_done = 0;  // steps [0, m_done) are done, the rest undone
    std::size_t m_bytes = 0;
    std::optional<std::size_t> m_clean;   // the value of m_done that matches the file
    UndoStep* m_open = nullptr;           // where changes go now
    std::optional<UndoStep> m_recording;  // the step the open Steps fill
    int m_depth = 0;
    std::function<void()> m_changed;
};

}  // namespace lh::history
