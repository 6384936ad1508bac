#include "gui/shell/UndoActions.h"

#include <gtest/gtest.h>

#include <QAction>

#include "gui/shell/ActionRegistry.h"
#include "history/UndoStack.h"
#include "store/ChangeStep.h"
#include "store/Database.h"
#include "support/DatabaseMirror.h"
#include "support/ScriptedPrompter.h"

namespace lh::gui {
namespace {

TEST(UndoActionsTest, TextsNameTheStepAndTheActionsFollowTheHistory) {
    store::Database db;
    db.createDefault();
    history::UndoStack stack(db);
    ActionRegistry actions;
    test::ScriptedPrompter prompter;
    const UndoActions undoActions(stack, actions, prompter);
    QAction* undo = actions.action(CommandId::Undo);
    QAction* redo = actions.action(CommandId::Redo);
    EXPECT_FALSE(undo->isEnabled());
    {
        const store::ChangeStep step(db, "Delete Category 'R&D'");
        db.removeCategory(4, false);
    }
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), "&Undo Delete Category 'R&&D'");  // shown as typed, no mnemonic
    EXPECT_EQ(undo->toolTip(), "Undo Delete Category 'R&D'");
    undo->trigger();
    EXPECT_NE(db.findCategory(4), nullptr);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->text(), "&Redo Delete Category 'R&&D'");
    redo->trigger();
    EXPECT_EQ(db.findCategory(4), nullptr);
    db.clear();  // a new database empties the history
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), "&Undo");
    EXPECT_TRUE(prompter.shown.empty());
}

}  // namespace
}  // namespace lh::gui
