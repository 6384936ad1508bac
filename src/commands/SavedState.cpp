#include "commands/SavedState.h"

#include "store/Database.h"

namespace lh::commands {

SavedState::SavedState(store::Database& db) : m_db(db) {
    m_db.addObserver(this);
}

SavedState::~SavedState() {
    m_db.removeObserver(this);
}

}  // namespace lh::commands
