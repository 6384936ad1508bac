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
using Answer = Prompter::Answer;
using store::kScheduleFriday;
using store::kScheduleMonday;
using store::kScheduleSunday;

constexpr store::CategoryId kRinging = 3;
constexpr store::CategoryId kOther = 7;

class RemindEditorTest : public ::testing::Test {
protected:
    void SetUp() override { db.createDefault(); }

    // A reminder typed into the dialog for 2026-03-04 (the clock's day) at `hour`:`minute`.
    static RemindValues typed(std::string hour, std::string minute,
                              std::optional<RemindType> type = RemindType::Once) {
        RemindValues v;
        v.title = "Call";
        v.year = 2026;
        v.month = 3;
        v.day = 4;
        v.hour = std::move(hour);
        v.minute = std::move(minute);
        v.type = type;
        v.memo = "memo";
        v.sound = "/s/ring.wav";
        v.rate = 2;
        v.category = kRinging;
        return v;
    }
    // The keys item `id` is filed under.
    std::vector<store::RemindKey> keysOf(store::ItemId id) const {
        std::vector<store::RemindKey> keys;
        for (const auto& [key, items] : db.remindIndex()) {
            for (const store::ItemRecord* item : items) {
                if (item->id() == id) {
                    keys.push_back(key);
                }
            }
        }
        return keys;
    }
    const store::ItemRecord& last(store::CategoryId id = kRinging) const {
        const store::ItemRecord* item = db.findCategory(id)->firstItem();
        while (item->next() != nullptr) {
            item = item->next();
        }
        return *item;
    }
    const store::ItemRecord& added(const RemindValues& values) {
        EXPECT_EQ(editor.add(values), DialogOutcome::Close);
        return last(*values.category);
    }

    test::FakeClock clock{{2026, 3, 4, 10, 30, 15, 3}};
    store::Database db{clock};
    test::ScriptedPrompter prompter;
    RemindEditor editor{db, prompter, clock};
};

using Keys = std::vector<store::RemindKey>;

TEST_F(RemindEditorTest, ReadsTypedNumbersLikeAtoi) {
    EXPECT_EQ(readLeadingNumber("abc"), 0);
    EXPECT_EQ(readLeadingNumber(""), 0);
    EXPECT_EQ(readLeadingNumber(" \t-1"), -1);
    EXPECT_EQ(readLeadingNumber("+12x3"), 12);
    EXPECT_EQ(readLeadingNumber("- 5"), 0);
    EXPECT_EQ(readLeadingNumber("99999999999"), INT_MAX);
    EXPECT_EQ(readLeadingNumber("-99999999999"), INT_MIN);
}

TEST_F(RemindEditorTest, AddRefusesTitleHourAndMinuteInTurnThenStoresTheTypedItem) {
    RemindValues v = typed("11", "0");
    v.title = " \t";
    EXPECT_EQ(editor.add(v), DialogOutcome::KeepOpen);
    EXPECT_EQ(editor.refusedInput(), RemindInput::Title);
    for (const char* hour : {"24", "-1"}) {
        EXPECT_EQ(editor.add(typed(hour, "60")), DialogOutcome::KeepOpen);
        EXPECT_EQ(editor.refusedInput(), RemindInput::Hour);
    }
    EXPECT_EQ(editor.add(typed("23", "60")), DialogOutcome::KeepOpen);
    EXPECT_EQ(editor.refusedInput(), RemindInput::Minute);
    v = typed("11", "0");
    v.category.reset();
    EXPECT_EQ(editor.add(v), DialogOutcome::KeepOpen);
    EXPECT_EQ(prompter.texts(),
              (Texts{"Please input Remind title.", "Please enter an hour between 0 and 23",
                     "Please enter an hour between 0 and 23",
                     "Please enter an minute between 0 and 59"}));
    EXPECT_EQ(db.findCategory(kRinging)->firstItem(), nullptr);

    // "abc" reads as 0; no type checked stores custom days with only the day bits of the boxes.
    v = typed("abc", " 7x", std::nullopt);
    v.title = "  " + std::string(699, 't') + "\xC3\xA9";
    v.memo = std::string(2100, 'm');
    v.weekdays = kScheduleMonday | kScheduleSunday | 0x2001;
    const store::ItemRecord& item = added(v);
    EXPECT_EQ(item.title(), std::string(699, 't'));
    EXPECT_EQ(item.comment().size(), 2000u);
    EXPECT_EQ(item.location(), "/s/ring.wav");
    EXPECT_EQ(item.rate(), 2);
    EXPECT_EQ(item.flags(), store::kKindRemind | 0x20 | kScheduleMonday | kScheduleSunday);
    EXPECT_EQ(item.remindTime(), (store::DateTimeStamp{26, 3, 4, 0, 7, 0, 0}));
    EXPECT_EQ(item.createTime(), (store::DateTimeStamp{2026, 3, 4, 10, 30, 15, 0}));
    EXPECT_EQ(keysOf(item.id()), Keys{7});
}

TEST_F(RemindEditorTest, NewOnceReminderRingsOnlyAMinuteAheadAndAnEarlierOneOnlyWhenConfirmed) {
    EXPECT_EQ(keysOf(added(typed("10", "31")).id()), Keys{2603041031});
    EXPECT_TRUE(prompter.shown.empty());

    // The current minute is too early: No keeps the dialog open with nothing added.
    prompter.answers = {Answer::No};
    EXPECT_EQ(editor.add(typed("10", "30")), DialogOutcome::KeepOpen);
    EXPECT_EQ(editor.refusedInput(), RemindInput::Hour);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
              "This time has passed; the reminder will not ring. Save anyway?");
    EXPECT_EQ(prompter.shown[0].buttons, Prompter::Buttons::YesNo);
    EXPECT_EQ(last().remindTime().minute, 31);

    prompter.answers = {Answer::Yes};
    const store::ItemRecord& passed = added(typed("9", "59"));
    EXPECT_EQ(passed.remindTime().minute, 59);
    EXPECT_TRUE(keysOf(passed.id()).empty());

    // No question where the time is not the reason: a yearly reminder, a silent category.
    prompter.shown.clear();
    EXPECT_EQ(keysOf(added(typed("10", "30", RemindType::Yearly)).id()), Keys{3041030});
    RemindValues silent = typed("10", "0");
    silent.category = store::kSilentRemindersId;
    EXPECT_TRUE(keysOf(added(silent).id()).empty());
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(RemindEditorTest, EditRefilesOnlyAChangedKeyAndAsksBeforeAPassedOne) {
    const store::ItemRecord& item = added(typed("10", "31"));
    const store::ItemId id = item.id();
    db.removeReminder(2603041031, id);  // it has rung

    // Keeping the key leaves a reminder that has rung out of the index.
    RemindValues v = typed("10", "31");
    v.title = "CALL";
    v.memo = "new memo";
    ASSERT_EQ(editor.edit(id, v), DialogOutcome::Close);
    EXPECT_EQ(item.title(), "Call");  // differs only in case
    EXPECT_EQ(item.comment(), "new memo");
    EXPECT_TRUE(keysOf(id).empty());

    // Moved to the current minute it rings at the next check.
    ASSERT_EQ(editor.edit(id, typed("10", "30")), DialogOutcome::Close);
    EXPECT_EQ(keysOf(id), Keys{2603041030});
    EXPECT_TRUE(prompter.shown.empty());

    prompter.answers = {Answer::No};
    EXPECT_EQ(editor.edit(id, typed("10", "29")), DialogOutcome::KeepOpen);
    EXPECT_EQ(item.remindTime().minute, 30);
    prompter.answers = {Answer::Yes};
    v = typed("10", "29");
    v.title = std::string(800, 'x');
    v.category = kOther;
    ASSERT_EQ(editor.edit(id, v), DialogOutcome::Close);
    EXPECT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(item.remindTime().minute, 29);
    EXPECT_EQ(item.title(), std::string(700, 'x'));
    EXPECT_EQ(item.categoryId(), kOther);
    EXPECT_TRUE(keysOf(id).empty());
}

TEST_F(RemindEditorTest, TypeChangesMoveTheKeyAndCustomDaysTakeExactlyTheCheckedDays) {
    RemindValues v = typed("18", "0", RemindType::Yearly);
    v.month = 12;
    v.day = 24;
    v.weekdays = kScheduleSunday;
    const store::ItemRecord& item = added(v);
    EXPECT_EQ(keysOf(item.id()), Keys{12241800});
    EXPECT_EQ(item.flags(), store::kKindRemind | 0x10);

    // Days stored beside a yearly schedule give way to the boxes checked for custom days.
    store::ItemEdit withSunday;
    withSunday.flags = store::kKindRemind | 0x10 | kScheduleSunday;
    db.editItem(item.id(), withSunday);
    v.type = RemindType::CustomDays;
    v.weekdays = kScheduleMonday | kScheduleFriday;
    ASSERT_EQ(editor.edit(item.id(), v), DialogOutcome::Close);
    EXPECT_EQ(item.flags(), store::kKindRemind | 0x20 | kScheduleMonday | kScheduleFriday);
    EXPECT_EQ(keysOf(item.id()), Keys{1800});

    v.type = RemindType::Yearly;
    v.weekdays = 0;
    ASSERT_EQ(editor.edit(item.id(), v), DialogOutcome::Close);
    EXPECT_EQ(item.flags(), store::kKindRemind | 0x10 | kScheduleMonday | kScheduleFriday);
    EXPECT_EQ(keysOf(item.id()), Keys{12241800});
}

TEST_F(RemindEditorTest, YearlyLeapDayIsMadeInAnyYearAndKeptOnEdit) {
    RemindValues v = typed("8", "15", RemindType::Yearly);
    v.month = 2;
    v.day = 29;
    const store::ItemRecord& item = added(v);
    EXPECT_EQ(keysOf(item.id()), Keys{2290815});

    const RemindValues shown = editRemindForm(item, clock.now());
    EXPECT_EQ(shown.type, RemindType::Yearly);
    EXPECT_EQ(std::tie(shown.year, shown.month, shown.day), std::make_tuple(2026, 2, 29));
    ASSERT_EQ(editor.edit(item.id(), shown), DialogOutcome::Close);
    EXPECT_EQ(item.remindTime(), (store::DateTimeStamp{26, 2, 29, 8, 15, 0, 0}));
    EXPECT_EQ(keysOf(item.id()), Keys{2290815});
}

TEST_F(RemindEditorTest, SaveAsDefaultChecksTheTimeThenKeepsTypeDaysCategoryAndRate) {
    settings::AppSettings s;
    s.RmdHour = 7;
    s.RmdMinute = 30;
    s.RmdCheck = 0xA5FF;
    s.RmdNormal1 = 3;
    s.RmdNormal = 3;
    EXPECT_FALSE(editor.saveDefaults(s, typed("8", "60"), 1));
    EXPECT_EQ(editor.refusedInput(), RemindInput::Minute);
    EXPECT_EQ(prompter.texts(), Texts{"Please enter an minute between 0 and 59"});
    EXPECT_EQ(std::tie(s.RmdMinute, s.RmdNormal), std::make_tuple(30, 3));

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
    // What is saved is what a new reminder opens with.
    const RemindValues opened = newRemindForm(s, clock.now());
    EXPECT_EQ(opened.type, std::nullopt);
    EXPECT_EQ(opened.weekdays, kScheduleMonday | kScheduleSunday);
}

}  // namespace
}  // namespace lh::commands
