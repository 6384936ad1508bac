#include "items/ItemTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/Database.h"
#include "store/RemindKey.h"

namespace lh::items {
namespace {

using store::DateTimeStamp;
using Strings = std::vector<std::string>;

class ItemTextsTest : public ::testing::Test {
protected:
    void SetUp() override { db.createDefault(); }

    const store::ItemRecord& add(store::ItemFields fields) {
        return *db.addItem(store::kFavoritesId, fields);
    }

    store::Database db;
    const DateTimeStamp created{2024, 3, 5, 7, 8, 9, 0};
    const DateTimeStamp remind{24, 11, 2, 6, 4, 0, 0};
};

TEST_F(ItemTextsTest, FileSizesInKilobytesBytesOrUnknown) {
    EXPECT_EQ(fileSizeText(1536, true), "1KB");
    EXPECT_EQ(fileSizeText(1023, true), "0KB");
    EXPECT_EQ(fileSizeText(0x7FFFFFFF'FFFFFFFFull, false), "9223372036854775807");
    EXPECT_EQ(fileSizeText(0x80000000'00000000ull, false), "?");
    EXPECT_EQ(fileSizeText(0xFFFFFFFF'00000000ull, true), "?");
}

TEST_F(ItemTextsTest, CellTextsByFieldCodeAndRemindTimesBySchedule) {
    const auto& item = add({"http://a.example", "/home/me", "Title", "Note", 3,
                            store::kKindRemind | store::kScheduleYearly, 2048, created, remind});
    EXPECT_EQ(cellText(item, FieldCode::Title), "Title");
    EXPECT_EQ(cellText(item, FieldCode::Address), "http://a.example");
    EXPECT_EQ(cellText(item, FieldCode::Comment), "Note");
    EXPECT_EQ(cellText(item, FieldCode::CreateTime), "2024-03-05 07:08:09");
    EXPECT_EQ(cellText(item, FieldCode::FileSize), "2048");
    EXPECT_EQ(cellText(item, FieldCode::Location), "/home/me");
    EXPECT_EQ(cellText(item, FieldCode::RemindTime), "11-02 06:04");
    for (FieldCode none : {FieldCode::Image, FieldCode::Rate, FieldCode::RowImage}) {
        EXPECT_EQ(cellText(item, none), "");
    }
    // The yearly list form is above; the weekday detail form is in the detail rows below.
    EXPECT_EQ(listRemindText(store::kScheduleOnce, remind), "24-11-02 06:04");
    EXPECT_EQ(listRemindText(0x30, remind), "06:04");
    EXPECT_EQ(detailRemindText(store::kScheduleYearly, remind), "11-02 06:04");
    EXPECT_EQ(detailRemindText(0x30, remind), "24-11-02 06:04");
    EXPECT_EQ(shownStars(0), 1);
    EXPECT_EQ(shownStars(5), 5);
    EXPECT_EQ(shownStars(6), 1);
}

TEST_F(ItemTextsTest, DetailRowsFollowTheItemsOwnKind) {
    // All in the URL category "WebFavorite": each shows the rows of its own kind.
    const auto& url =
        add({"http://a.example", "", "Site", "c", 4, store::kKindUrl, 0, created, {}});
    const auto& file = add({"", "/data", "a.pdf", "c", 2, store::kKindFile, 1536, created, {}});
    const auto& reminder = add({"", "/bell.wav", "Call", "c", 1,
                                store::kKindRemind | store::kScheduleWeekdays, 0, created, remind});
    const auto& mixed =
        add({"http://m", "/x", "M", "c", 5, 0x08, 0xFFFFFFFF'00000000ull, created, remind});

    EXPECT_EQ(detailValues(url, false),
              (Strings{"4 Star", "Site", "http://a.example", "c", "2024-3-5 7:8:9"}));
    EXPECT_EQ(detailValues(file, false),
              (Strings{"2 Star", "a.pdf", "1KB", "/data", "c", "2024-3-5 7:8:9"}));
    EXPECT_EQ(detailValues(file, true)[2], "1536");
    EXPECT_EQ(detailValues(reminder, false),
              (Strings{"1 Star", "Call", "06:04", "c", "2024-3-5 7:8:9", "/bell.wav"}));
    EXPECT_EQ(detailValues(mixed, false), (Strings{"5 Star", "M", "http://m", "c", "2024-3-5 7:8:9",
                                                   "24-11-2 6:4:0", "?", "/x"}));

    // Each value has its row name.
    for (const auto* item : {&url, &file, &reminder, &mixed}) {
        EXPECT_EQ(detailValues(*item, false).size(), detailRowNames(kindOf(*item)).size());
    }
}

}  // namespace
}  // namespace lh::items
