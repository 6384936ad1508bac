#include "gui/items/RemindDialogs.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <tuple>

#include "gui/items/ItemDialogsFixture.h"
#include "store/RemindKey.h"

namespace lh::gui {
namespace {

// The rules are the remind editor's (RemindEditorTest); these check that the dialog opens preset
// as the settings and the item say, and that its buttons reach the rules, settings and files.
class RemindDialogsTest : public ItemDialogsFixture {
protected:
    void SetUp() override {
        clock.set({2026, 3, 4, 10, 30, 0, 3});
        settings.RmdHour = 10;
        settings.RmdMinute = 30;
        settings.RmdCheck = 0x00FE;
        settings.RmdNormal1 = 7;
        settings.RemindSound = "/snd/rmdsound.wav";
        dialogs.setRemindEditor(
            [this](store::ItemId id, store::CategoryId current) { reminds.open(id, current); });
    }
    void type(const char* name, const char* text) const {
        control<QLineEdit>(name)->setText(QString::fromLatin1(text));
    }

    RemindDialogs reminds{{db, prompter, files, settings, clock}, dialogs, &window};
};

TEST_F(RemindDialogsTest, AddRemindOpensWithTheDefaultsAndAddsThroughTheRules) {
    dialogs.addRemind(3);
    ASSERT_NE(dialogs.openDialog(), nullptr);
    // 10:30 is now: the picker opens on tomorrow.
    EXPECT_EQ(control<QDateEdit>("dateEdit")->text(), "2026-03-05");
    EXPECT_EQ(control<CategoryComboBox>("categoryComboBox")->selectedCategoryId(), 7);
    EXPECT_EQ(control<QLineEdit>("soundLineEdit")->text(), "/snd/rmdsound.wav");

    type("titleLineEdit", "Stand up");
    click("okButton");
    EXPECT_EQ(dialogs.openDialog(), nullptr);
    ASSERT_NE(db.findReminders(2603051030), nullptr);
    EXPECT_EQ((*db.findReminders(2603051030))[0]->title(), "Stand up");
}

TEST_F(RemindDialogsTest, PropertyShowsTheItemLocksCategorySixAndKeepsItsButtonsWired) {
    store::ItemFields fields;
    fields.title = "Birthday";
    fields.flags = store::kKindRemind | store::kScheduleYearly;
    fields.createTime = {2025, 1, 2, 3, 4, 5, 0};
    fields.remindTime = {25, 12, 24, 18, 0, 0, 0};
    const store::ItemRecord& item = *db.addItem(store::kSilentRemindersId, fields);
    dialogs.editItem(item.id(), store::kSilentRemindersId);
    EXPECT_FALSE(control<CategoryComboBox>("categoryComboBox")->isEnabled());
    EXPECT_EQ(control<QDateEdit>("dateEdit")->text(), "12-24");
    EXPECT_EQ(control<QLabel>("createTimeLabel")->text(), "2025-01-02 03:04:05");

    files.answers = {std::string("/new/bell.wav")};
    click("browseSoundButton");
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_EQ(files.requests[0].second.filter, "Sound File (*.wav)");
    std::vector<std::string> played;
    reminds.setPlaySound([&](const std::string& path) { played.push_back(path); });
    click("playButton");
    EXPECT_EQ(played, Texts{"/new/bell.wav"});

    type("hourLineEdit", "24");
    click("saveDefaultButton");
    EXPECT_EQ(prompter.texts(), Texts{"Please enter an hour between 0 and 23"});
    EXPECT_EQ(dialogs.openDialog()->focusWidget(), control<QLineEdit>("hourLineEdit"));
    type("hourLineEdit", "6");
    control<QRadioButton>("customDayRadioButton")->click();
    click("saveDefaultButton");
    EXPECT_EQ(std::tie(settings.RmdHour, settings.RmdCheck), std::make_tuple(6, 0x0001));
    click("okButton");
    EXPECT_EQ(dialogs.openDialog(), nullptr);
    EXPECT_EQ(item.location(), "/new/bell.wav");
    EXPECT_EQ(item.flags(), store::kKindRemind | store::kScheduleWeekdays);
    EXPECT_EQ(db.findReminders(600), nullptr);  // kept where reminders never ring
}

}  // namespace
}  // namespace lh::gui
