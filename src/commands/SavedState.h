#pragma once

#include <cstdint>

#include "history/UndoStack.h"
#include "store/DatabaseObserver.h"

namespace lh::store {
class Database;
}

namespace lh::commands {

// The saved-state marker: counts the Database's changes and remembers the count at the last
// load or save, so that a database nobody changed since is not written again (two copies of a
// synced file then do not overwrite each other with the same data). With an undo history to
// follow, undoing or redoing back to the saved state counts as unchanged.
class SavedState final : public store::DatabaseObserver {
public:
    explicit SavedState(store::Database& db);
    ~SavedState() override;
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;

    // `history` (not owned, may be null) is told of each save and tells whether undo or redo
    // went back to it.
    void followHistory(history::UndoStack* history) { m_history = history; }
    // The database now is what its file holds.
    void markSaved() {
        m_saved = m_changes;
        if (m_history != nullptr) {
            m_history->markClean();
        }
    }
    bool hasUnsavedChanges() const {
        return m_changes != m_saved && (m_history == nullptr || !m_history->isClean());
    }

    void bulkChangeEnded(bool) override { ++m_changes; }
    void categoriesInserted(const store::CategoryRows&) override { ++m_changes; }
    void categoriesMoved(const store::CategoryRows&, store::CategoryId, std::uint32_t) override {
        ++m_changes;
    }
    void categoriesRemoved(const store::CategoryRows&) override { ++m_changes; }
    void categoryChanged(const store::CategoryRecord&, store::CategoryFieldSet) override {
        ++m_changes;
    }
    void itemsInserted(const store::ItemRows&) override { ++m_changes; }
    void itemsMoved(const store::ItemRows&, store::CategoryId, std::uint32_t) override {
        ++m_changes;
    }
    void itemsRemoved(const store::ItemRows&) override { ++m_changes; }
    void itemChanged(const store::ItemRecord&, store::ItemFieldSet) override { ++m_changes; }

private:
    store::Database& m_db;
    std::uint64_t m_changes = 0;
    std::uint64_t m_saved = 0;
    history::UndoStack* m_history = nullptr;
};

}  // namespace lh::commands
