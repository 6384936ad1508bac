#pragma once

#include <string>

#include "store/Change.h"
#include "store/Database.h"

namespace lh::store {

// Every change `db` makes while this lives is one step of its undo history, named for the menu
// ("Delete Category 'Bulk'"). Does nothing for a database without one (the command line's).
class ChangeStep {
public:
    ChangeStep(Database& db, std::string name) : m_journal(db.changeJournal()) {
        if (m_journal != nullptr) {
            m_journal->beginStep(std::move(name));
        }
    }
    ~ChangeStep() {
        if (m_journal != nullptr) {
            m_journal->endStep();
        }
    }
    ChangeStep(const ChangeStep&) = delete;
    ChangeStep& operator=(const ChangeStep&) = delete;

private:
    ChangeJournal* m_journal;
};

}  // namespace lh::store
