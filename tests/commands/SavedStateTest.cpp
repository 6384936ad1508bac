#include "commands/SavedState.h"

#include <gtest/gtest.h>

#include "history/UndoStack.h"
#include "store/ChangeStep.h"
#include "store/Database.h"
#include "support/DatabaseMirror.h"

namespace lh::commands {
namespace {

TEST(SavedStateTest, UndoAndRedoBackToTheSavedStateCountAsUnchanged) {
    store::Database db;
    db.createDefault();
    history::UndoStack stack(db);
    SavedState state(db);
    state.followHistory(&stack);
    const auto addLink = [&](const char* title) {
        const store::ChangeStep step(db, "Add URL");
        db.addItem(4, test::link(title, "http://x/"));
    };
    addLink("a");
    state.markSaved();
    EXPECT_FALSE(state.hasUnsavedChanges());
    addLink("b");
    EXPECT_TRUE(state.hasUnsavedChanges());
    ASSERT_TRUE(stack.undo());
    EXPECT_FALSE(state.hasUnsavedChanges());  // back where the file is
    ASSERT_TRUE(stack.undo());
    EXPECT_TRUE(state.hasUnsavedChanges());
    ASSERT_TRUE(stack.redo());
    EXPECT_FALSE(state.hasUnsavedChanges());
    // A change outside the history: the file no longer matches any step.
    db.renameCategory(4, "by hand");
    EXPECT_TRUE(state.hasUnsavedChanges());
    state.markSaved();
    addLink("c");
    ASSERT_TRUE(stack.undo());
    EXPECT_FALSE(state.hasUnsavedChanges());
}

}  // namespace
}  // namespace lh::commands
