#include "gui/items/FindActions.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include "gui/items/FindDialog.h"
#include "gui/shell/ActionRegistry.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"
#include "store/Database.h"
#include "support/MemorySettingsBackend.h"
#include "support/ScriptedPrompter.h"

namespace lh::gui {
namespace {

class FindActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.createDefault();
        settings.FindType = 0x001C;  // URL search in title, address and comment
        finder.setShowHit([this](const items::FindHit& hit) {
            shown.push_back(std::string(db.findItem(hit.item)->title()) + "@" +
                            std::to_string(hit.category));
        });
    }
    void add(store::CategoryId category, std::string title, std::string address = "") {
        store::ItemFields fields;
        fields.title = std::move(title);
        fields.address = std::move(address);
        fields.flags = store::kKindUrl;
        db.addItem(category, fields);
    }
    // Opens Find, types `text` and presses OK.
    void find(const QString& text) {
        actions.action(CommandId::Find)->trigger();
        FindDialog* dialog = finder.openDialog();
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QComboBox*>("findTextComboBox")->setEditText(text);
        dialog->accept();
    }
    QCheckBox* box(const char* name) { return finder.openDialog()->findChild<QCheckBox*>(name); }

    store::Database db;
    test::ScriptedPrompter prompter;
    test::MemorySettingsBackend backend;
    settings::SettingsStore store{backend};
    settings::AppSettings settings;
    QWidget window;
    ActionRegistry actions;
    FindActions finder{actions, {db, prompter, settings, store}, &window};
    std::vector<std::string> shown;
};

TEST_F(FindActionsTest, FindShowsTheFirstHitFindNextTheOthersThenNothing) {
    add(3, "Daily News");
    add(3, "news digest");
    add(7, "weather");
    find("NEWS");
    actions.action(CommandId::FindNext)->trigger();
    actions.action(CommandId::FindNext)->trigger();
    EXPECT_EQ(shown, (std::vector<std::string>{"Daily News@3", "news digest@3"}));
    EXPECT_TRUE(prompter.shown.empty());

    find("rain");
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Item not find!"});
    // An empty text closes quietly and leaves Find Next nothing to go on from.
    find("news");
    find("");
    actions.action(CommandId::FindNext)->trigger();
    EXPECT_EQ(shown.size(), 3u);
    EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST_F(FindActionsTest, TheFieldBoxesComeFromAndGoToTheSettingsWord) {
    add(3, "plain", "http://news.example");
    settings.FindType = 0x0004;  // URL search in titles only
    actions.action(CommandId::Find)->trigger();
    EXPECT_TRUE(box("findTitleCheckBox")->isChecked());
    EXPECT_FALSE(box("findAddressCheckBox")->isChecked());
    box("findAddressCheckBox")->setChecked(true);
    box("findTitleCheckBox")->setChecked(false);
    finder.openDialog()->findChild<QComboBox*>("findTextComboBox")->setEditText("news");
    finder.openDialog()->accept();
    EXPECT_EQ(shown, std::vector<std::string>{"plain@3"});
    EXPECT_EQ(settings.FindType, 0x0008);

    // A File search (type bits 1) names its first box "File name" and has no address box.
    settings.FindType = 0x0001 | 0x0080;
    actions.action(CommandId::Find)->trigger();
    EXPECT_EQ(box("findTitleCheckBox")->text(), "File name");
    EXPECT_TRUE(box("findAddressCheckBox")->isHidden());
    EXPECT_TRUE(box("findCommentCheckBox")->isChecked());
    finder.closeDialog();
}

TEST_F(FindActionsTest, TheHistoryKeepsEachTextOnceAndListsThemAlphabetically) {
    // How many are kept is SettingsStoreTest's.
    for (const char* text : {"text b", "text a", "TEXT b"}) {  // the last is there but for case
        find(text);
    }
    EXPECT_EQ(store.readFindHistory(), (std::vector<std::string>{"text b", "text a"}));
    actions.action(CommandId::Find)->trigger();
    auto* combo = finder.openDialog()->findChild<QComboBox*>("findTextComboBox");
    EXPECT_EQ(combo->itemText(0), "text a");
    finder.closeDialog();
}

}  // namespace
}  // namespace lh::gui
