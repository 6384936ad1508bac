#include "history/UndoStack.h"

#include <new>

#include "store/Database.h"

namespace lh::history {

UndoStack::UndoStack(store::Database& db, Limits limits) : m_db(db), m_limits(limits) {
    m_db.setJournal(this);
}

UndoStack::~UndoStack() {
    m_db.setJournal(nullptr);
}

// --- Recording -------------------------------------------------------------------------------

void UndoStack::beginStep(std::string name) {
    if (m_depth++ == 0) {
        m_recording.emplace(std::move(name));
        m_open = &*m_recording;
    }
}

void UndoStack::endStep() {
    if (--m_depth > 0) {
        return;
    }
    m_open = nullptr;
    std::optional<UndoStep> step = std::exchange(m_recording, std::nullopt);
    if (step && !step->empty()) {
        push(std::move(*step));
    }
}

void UndoStack::record(store::Change change) {
    if (m_open != nullptr) {
        m_open->add(std::move(change));
    }
}

void UndoStack::changedUnrecorded() {
    if (!m_steps.empty() || m_clean) {
        clear();
    }
}

void UndoStack::databaseClearing() {
    if (m_recording) {
        m_recording.emplace(m_recording->name());  // its changes named records that go now
        m_open = &*m_recording;
    }
    clear();
}

void UndoStack::push(UndoStep step) {
    while (m_steps.size() > m_done) {
        m_bytes -= m_steps.back().bytes();
        m_steps.pop_back();  // what was undone cannot be redone after a new change
    }
    if (m_clean && *m_clean > m_done) {
        m_clean.reset();
    }
    m_bytes += step.bytes();
    m_steps.push_back(std::move(step));
    ++m_done;
    enforceLimits();
    changed();
}

void UndoStack::enforceLimits() {
    while (!m_steps.empty() && (m_steps.size() > m_limits.steps || m_bytes > m_limits.bytes)) {
        m_bytes -= m_steps.front().bytes();
        m_steps.pop_front();
        --m_done;
        if (m_clean) {
            m_clean = *m_clean == 0 ? std::nullopt : std::optional(*m_clean - 1);
        }
    }
}

void UndoStack::clear() {
    m_steps.clear();
    m_done = 0;
    m_bytes = 0;
    m_clean.reset();
    changed();
}

void UndoStack::changed() {
    if (m_changed) {
        m_changed();
    }
}

// --- Undo and redo ---------------------------------------------------------------------------

std::string UndoStack::undoName() const {
    return canUndo() ? m_steps[m_done - 1].name() : std::string();
}

std::string UndoStack::redoName() const {
    return canRedo() ? m_steps[m_done].name() : std::string();
}

bool UndoStack::undo(std::string* error) {
    return m_depth == 0 && canUndo() && move(true, error);  // never in the middle of a step
}

bool UndoStack::redo(std::string* error) {
    return m_depth == 0 && canRedo() && move(false, error);
}

bool UndoStack::move(bool back, std::string* error) {
    const std::size_t at = back ? m_done - 1 : m_done;
    bool lost = false;
    std::optional<UndoStep> inverse = replay(m_steps[at], lost);
    if (!inverse) {
        if (error != nullptr) {
            *error = lost ? "Not enough memory to " + std::string(back ? "undo" : "redo") +
                                " this. The undo history was emptied."
                          : "Not enough memory to " + std::string(back ? "undo" : "redo") +
                                " this. Nothing was changed.";
        }
        if (lost) {
            clear();
        }
        return false;
    }
    m_bytes = m_bytes - m_steps[at].bytes() + inverse->bytes();
    m_steps[at] = std::move(*inverse);
    m_done = back ? m_done - 1 : m_done + 1;
    changed();
    return true;
}

std::optional<UndoStep> UndoStack::replay(UndoStep& step, bool& lost) {
    UndoStep inverse(step.name());
    std::vector<store::Change>& changes = step.changes();
    std::size_t reverted = 0;
    m_open = &inverse;
    try {
        for (auto it = changes.rbegin(); it != changes.rend(); ++it, ++reverted) {
            m_db.revert(*it);
        }
        m_open = nullptr;
        return inverse;
    } catch (const std::bad_alloc&) {
    }
    // Put back what was reverted: the step then holds the changes not reverted, followed by
    // those that putting back recorded.
    UndoStep restored(step.name());
    m_open = &restored;
    try {
        auto& done = inverse.changes();
        for (auto it = done.rbegin(); it != done.rend(); ++it) {
            m_db.revert(*it);
        }
    } catch (const std::bad_alloc&) {
        lost = true;
    }
    m_open = nullptr;
    if (!lost) {
        UndoStep kept(step.name());
        for (std::size_t i = 0; i + reverted < changes.size(); ++i) {
            kept.add(std::move(changes[i]));
        }
        for (store::Change& change : restored.changes()) {
            kept.add(std::move(change));
        }
        m_bytes = m_bytes - step.bytes() + kept.bytes();
        step = std::move(kept);
    }
    return std::nullopt;
}

// --- The saved state -------------------------------------------------------------------------

void UndoStack::markClean() {
    m_clean = m_done;
}

bool UndoStack::isClean() const {
    return m_clean == m_done && (m_recording == std::nullopt || m_recording->empty());
}

}  // namespace lh::history
