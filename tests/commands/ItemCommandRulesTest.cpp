#include "commands/ItemCommandRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/Database.h"
#include "support/DatabaseMirror.h"

namespace lh::commands {
namespace {

using items::ItemKind;

TEST(ItemCommandRulesTest, EnableRulesFollowTheCategoryTheRowsAndTheFirstItemsKind) {
    const auto list = [](std::optional<store::CategoryId> category, std::vector<int> rows,
                         std::optional<ItemKind> kind, bool files = false, bool editor = false) {
        return ItemListState{category, 5, std::move(rows), kind, files, editor};
    };
    constexpr bool T = true, F = false;
    struct Case {
        ItemListState list;
        // property, comment, browse, open, copy, folder, up, down, add remind
        ItemCommandState expected;
    };
    const Case cases[] = {
        {{}, {}},
        {list(7, {2, 3}, ItemKind::Url), {T, T, T, F, F, F, T, T, F}},
        {list(4, {2, 3}, ItemKind::Url), {F, T, T, F, F, F, F, F, F}},  // fixed order, no edit
        {list(0, {2, 3}, ItemKind::Url), {T, T, T, F, F, F, F, F, F}},  // the root
        {list(std::nullopt, {2}, ItemKind::Url), {F, T, T, F, F, F, F, F, F}},
        {list(7, {0, 4}, ItemKind::File, T), {T, T, F, T, T, T, F, F, F}},  // first and last row
        {list(7, {1}, ItemKind::File, T), {T, T, F, T, T, T, T, T, F}},
        {list(7, {}, std::nullopt), {F, F, F, F, F, F, F, F, F}},  // nothing selected
        {list(7, {4}, ItemKind::Remind), {F, T, F, F, F, F, T, F, F}},
        {list(7, {4}, ItemKind::Remind, F, T), {T, T, F, F, F, F, T, F, T}},
        {list(7, {3}, ItemKind::Mixed, T), {F, T, F, F, T, F, T, T, F}},  // a File item further on
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(itemCommandState(cases[i].list), cases[i].expected) << "case " << i;
    }
}

TEST(ItemCommandRulesTest, DoubleClickDependsOnTheItemsKindAndTheUsersChoice) {
    using A = ItemAction;
    const A url[] = {A::Property, A::Comment, A::BrowseUrl, A::BrowseUrl};
    const A file[] = {A::Property, A::Comment, A::OpenFile, A::OpenFile};
    const A remind[] = {A::Property, A::Comment, A::Comment, A::Comment};
    for (int choice = 0; choice < 4; ++choice) {
        settings::OtherFlags flags;
        // Each kind reads its own choice: the others are set to something else.
        flags.setUrlDoubleClick(choice);
        flags.setFileDoubleClick(3 - choice);
        flags.setRemindDoubleClick(choice ^ 1);
        EXPECT_EQ(doubleClickAction(ItemKind::Url, flags), url[choice]) << choice;
        EXPECT_EQ(doubleClickAction(ItemKind::File, flags), file[3 - choice]) << choice;
        EXPECT_EQ(doubleClickAction(ItemKind::Remind, flags), remind[choice ^ 1]) << choice;
        EXPECT_EQ(doubleClickAction(ItemKind::Mixed, flags), A::None) << choice;
    }
}

TEST(ItemCommandRulesTest, CopiedFilesStopAtTheLastPathThatFits) {
    store::Database db;
    db.createDefault();
    std::vector<const store::ItemRecord*> items;
    const auto addFile = [&](const char* folder, std::size_t nameSize) {
        items.push_back(db.addItem(7, test::fileItem(std::string(nameSize, 'n'), folder)));
    };
    addFile("/home/x/", 1);  // "/home/x/n": 9 bytes and its end
    items.push_back(db.addItem(7, test::link("not a file", "http://a/")));
    addFile("/d", 16980);  // "/d/" + name: 16983 bytes, 16984 with its end: 16994 in all
    addFile("/d", 2);      // 5 + 1 more: exactly 17000
    EXPECT_EQ(copiedFilePaths(items),
              (std::vector<std::string>{"/home/x/n", "/d/" + std::string(16980, 'n'), "/d/nn"}));
    addFile("/d", 4);  // "/d/nnnn" and its end: 8 bytes too many
    addFile("/d", 4);
    EXPECT_EQ(copiedFilePaths(items).size(), 3u);
    items.erase(items.begin());  // now there is room for one of them, not for both
    EXPECT_EQ(copiedFilePaths(items).back(), "/d/nnnn");
    EXPECT_EQ(copiedFilePaths(items).size(), 3u);
}

}  // namespace
}  // namespace lh::commands
