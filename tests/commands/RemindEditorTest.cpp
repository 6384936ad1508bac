#include "commands/RemindEditor.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "commands/RemindForm.h"
#include "settings/AppSettings.h"
#include "store/Database.h"
#include "store/RemindKey.h"
#include "support/FakeClock.h"
#include "support/ScriptedPrompter.h"

namespace lh::commands {
namespace {

using Texts = std::vector<std::string>;
using Keys = std::vector<store::RemindKey>;
using Answer = Prompter::Answer;
using store::kScheduleMonday;
using store::kScheduleSunday;

constexpr store::CategoryId kRinging = 3;

class RemindEditorTest : public ::testing::Test {
protected:
    void SetUp() override { db.createDefault(); }

    // A reminder typed into the dialog for the clock's day, 2026-03-04, at `hour`:`minute`.
    static RemindValues typed(std::string hour, std::string minute,
                              std::optional<RemindType> type = RemindType::Once) {
        return {"Call", 2026,          3, 4,       std::move(hour), std::move(minute), type, 0,
                "memo", "/s/ring.wav", 2, kRinging};
    }
    Keys keysOf(const store::ItemRecord& item) const {
        Keys keys;
        for (const auto& [key, items] : db.remindIndex()) {
            if (std::find(items.begin(), items.end(), &item) != items.end()) {
                keys.push_back(key);
            }
        }
        return keys;
    }
    // Adds `values`, which must close the dialog; the item added last to their category.
    const store::ItemRecord& added(const RemindValues& values) {
        EXPECT_EQ(editor.add(values), DialogOutcome::Close);
        const store::ItemRecord* item = db.findCategory(*values.category)->firstItem();
        while (item->next() != nullptr) {
            item = item->next();
        }
        return *item;
    }

    test::FakeClock clock{{2026, 3, 4, 10, 30, 15, 3}};
    store::Database db{clock};
    test::ScriptedPrompter prompter;
    RemindEditor editor{db, prompter, clock};
};

TEST_F(RemindEditorTest, AddRefusesTitleHourAndMinuteReadLikeAtoiThenStoresTheItem) {
    EXPECT_EQ(readLeadingNumber(" \t-1"), -1);
    EXPECT_EQ(readLeadingNumber("+12x3"), 12);
    EXPECT_EQ(readLeadingNumber("99999999999"), INT_MAX);
    EXPECT_EQ(readLeadingNumber("-99999999999"), INT_MIN);

    RemindValues v = typed("11", "0");
    v.title = " \t";
    EXPECT_EQ(editor.add(v), DialogOutcome::KeepOpen);
    EXPECT_EQ(editor.refusedInput(), RemindInput::Title);
    EXPECT_EQ(editor.add(typed("-1", "60")), DialogOutcome::KeepOpen);
    EXPECT_EQ(editor.refusedInput(), RemindInput::Hour);
    EXPECT_EQ(editor.add(typed("23", "60")), DialogOutcome::KeepOpen);
    EXPECT_EQ(editor.refusedInput(), RemindInput::Minute);
    EXPECT_EQ(prompter.texts(),
              (Texts{"Please input Remind title.", "Please enter an hour between 0 and 23",
                     "Please enter an minute between 0 and 59"}));
    EXPECT_EQ(db.findCategory(kRinging)->firstItem(), nullptr);

    // "abc" reads as 0; no type checked stores custom days with only the day bits of the boxes.
    v = typed("abc", " 7x", std::nullopt);
    v.memo = std::string(2100, 'm');
    v.weekdays = kScheduleMonday | kScheduleSunday | 0x2001;
    const store::ItemRecord& item = added(v);
    EXPECT_EQ(item.comment().size(), 2000u);
    EXPECT_EQ(item.flags(), store::kKindRemind | 0x20 | kScheduleMonday | kScheduleSunday);
    EXPECT_EQ(item.remindTime(), (store::DateTimeStamp{26, 3, 4, 0, 7, 0, 0}));
    EXPECT_EQ(item.createTime(), (store::DateTimeStamp{2026, 3, 4, 10, 30, 15, 0}));
    EXPECT_EQ(keysOf(item), Keys{7});
}

TEST_F(RemindEditorTest, NewOnceReminderRingsOnlyAMinuteAheadAndAnEarlierOneOnlyWhenConfirmed) {
    EXPECT_EQ(keysOf(added(typed("10", "31"))), Keys{2603041031});

    // The current minute is too early: No keeps the dialog open with nothing added.
    prompter.answers = {Answer::No};
    EXPECT_EQ(editor.add(typed("10", "30")), DialogOutcome::KeepOpen);
    EXPECT_EQ(prompter.texts(),
              Texts{"This time has passed; the reminder will not ring. Save anyway?"});
    prompter.answers = {Answer::Yes};
    const store::ItemRecord& passed = added(typed("9", "59"));
    EXPECT_EQ(passed.remindTime().minute, 59);
    EXPECT_TRUE(keysOf(passed).empty());

    // No question where the time is not the reason: a yearly reminder, a silent category.
    EXPECT_EQ(keysOf(added(typed("10", "30", RemindType::Yearly))), Keys{3041030});
    RemindValues silent = typed("10", "0");
    silent.category = store::kSilentRemindersId;
    EXPECT_TRUE(keysOf(added(silent)).empty());
    EXPECT_EQ(prompter.shown.size(), 2u);
}

TEST_F(RemindEditorTest, EditRefilesOnlyAChangedKeyAndAsksBeforeAPassedOne) {
    const store::ItemRecord& item = added(typed("10", "31"));
    db.removeReminder(2603041031, item.id());  // it has rung

    // Keeping the key leaves a reminder that has rung out of the index.
    RemindValues v = typed("10", "31");
    v.title = "CALL";
    ASSERT_EQ(editor.edit(item.id(), v), DialogOutcome::Close);
    EXPECT_EQ(item.title(), "Call");  // differs only in case
    EXPECT_TRUE(keysOf(item).empty());

    // Moved to the current minute it rings at the next check.
    ASSERT_EQ(editor.edit(item.id(), typed("10", "30")), DialogOutcome::Close);
    EXPECT_EQ(keysOf(item), Keys{2603041030});

    prompter.answers = {Answer::No, Answer::Yes};
    EXPECT_EQ(editor.edit(item.id(), typed("10", "29")), DialogOutcome::KeepOpen);
    EXPECT_EQ(item.remindTime().minute, 30);
    v = typed("10", "29");
    v.title = std::string(800, 'x');
    v.category = 7;
    ASSERT_EQ(editor.edit(item.id(), v), DialogOutcome::Close);
    EXPECT_EQ(item.title(), std::string(700, 'x'));
    EXPECT_EQ(item.categoryId(), 7);
    EXPECT_TRUE(keysOf(item).empty());
    // Its time kept, a passed reminder is edited without the question again.
    v.memo = "again";
    EXPECT_EQ(editor.edit(item.id(), v), DialogOutcome::Close);
    EXPECT_EQ(prompter.shown.size(), 2u);
}

TEST_F(RemindEditorTest, TypeChangesMoveTheKeyAndALeapDayStaysYearly) {
    RemindValues v = typed("18", "0", RemindType::Yearly);
    v.month = 12;
    v.day = 24;
    const store::ItemRecord& item = added(v);
    EXPECT_EQ(keysOf(item), Keys{12241800});

    // Days stored beside a yearly schedule give way to the boxes checked for custom days.
    store::ItemEdit withSunday;
    withSunday.flags = store::kKindRemind | 0x10 | kScheduleSunday;
    db.editItem(item.id(), withSunday);
    v.type = RemindType::CustomDays;
    v.weekdays = kScheduleMonday | store::kScheduleFriday;
    ASSERT_EQ(editor.edit(item.id(), v), DialogOutcome::Close);
    EXPECT_EQ(item.flags(), store::kKindRemind | 0x20 | kScheduleMonday | store::kScheduleFriday);
    EXPECT_EQ(keysOf(item), Keys{1800});

    // 02-29 every year, made in a year without it, shows and stays so through an edit.
    v = typed("8", "15", RemindType::Yearly);
    v.month = 2;
    v.day = 29;
    const store::ItemRecord& leap = added(v);
    const RemindValues shown = editRemindForm(leap, clock.now());
    EXPECT_EQ(std::tie(shown.month, shown.day), std::make_tuple(2, 29));
    ASSERT_EQ(editor.edit(leap.id(), shown), DialogOutcome::Close);
    EXPECT_EQ(keysOf(leap), Keys{2290815});
}

TEST_F(RemindEditorTest, SaveAsDefaultChecksTheTimeThenKeepsTypeDaysCategoryAndRate) {
    settings::AppSettings s;
    s.RmdCheck = 0xA5FF;
    s.RmdNormal1 = 3;
    EXPECT_FALSE(editor.saveDefaults(s, typed("8", "60"), 1));
    EXPECT_EQ(s.RmdNormal1, 3);

    // Once clears only bit 0: the days stay for the next time custom days are saved.
    RemindValues v = typed("8", "05");
    v.category = 9;
    ASSERT_TRUE(editor.saveDefaults(s, v, 4));
    EXPECT_EQ(std::tie(s.RmdHour, s.RmdMinute, s.RmdCheck, s.RmdNormal1, s.RmdNormal),
              std::make_tuple(8, 5, 0xA5FE, 9, 4));
    v.type = std::nullopt;
    v.weekdays = kScheduleMonday | kScheduleSunday;
    v.category.reset();
    ASSERT_TRUE(editor.saveDefaults(s, v, 5));
    EXPECT_EQ(std::tie(s.RmdCheck, s.RmdNormal1, s.RmdNormal), std::make_tuple(0xA583, 9, 5));
}

}  // namespace
}  // namespace lh::commands
