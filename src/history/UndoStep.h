#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "store/Change.h"

namespace lh::history {

// One step of the undo history: a name for the menu ("Delete Category 'Bulk'") and the changes
// the Database made for it, oldest first. Owns whatever records the changes keep.
class UndoStep {
public:
    explicit UndoStep(std::string name) : m_name(std::move(name)) {}

    const std::string& name() const { return m_name; }
    bool empty() const { return m_changes.empty(); }
    // The memory the step keeps beside the database.
    std::size_t bytes() const { return m_bytes; }
    // Adds a change; items added one after another join one change.
    void add(store::Change change);
    std::vector<store::Change>& changes() { return m_changes; }

private:
    std::string m_name;
    std::vector<store::Change> m_changes;
    std::size_t m_bytes = 0;
};

}  // namespace lh::history
