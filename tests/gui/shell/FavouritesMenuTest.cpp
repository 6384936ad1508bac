#include "gui/shell/FavouritesMenu.h"

#include <QApplication>
#include <QTest>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gui/uikit/MenuText.h"
#include "history/UndoStack.h"
#include "store/ChangeStep.h"
#include "store/Database.h"
#include "support/DatabaseMirror.h"

namespace lh::gui {
namespace {

// "Favourites" stands for "WebFavorite" (id 1), emptied: each test puts in what it needs.
class FavouritesMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.createDefault();
        while (const store::CategoryRecord* child =
                   db.findCategory(store::kFavoritesId)->firstChild()) {
            db.removeCategory(child->id(), false);
        }
        menu.setOpenUrl([this](const std::string& address) { opened.push_back(address); });
    }
    void TearDown() override {
        while (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
    }

    std::uint16_t addCategory(std::uint16_t parent, const std::string& name) {
        return db.addCategory(parent, store::NewCategory{name, "", "", std::nullopt})->id();
    }

    // Opens the menu holding `count` entries and goes through it by keyboard as a user would:
    // Down from entry to entry, Right into "More (N)", which must count all but the forty
    // before it. Returns the texts of the other entries reached in order; triggers the links.
    QStringList walkByKeyboard(std::size_t count) {
        menu.popup(QPoint(0, 0));
        QMenu* shown = &menu;
        QTest::keyClick(shown, Qt::Key_Down);
        QStringList reached;
        for (QAction* active = shown->activeAction(); active != nullptr;
             active = shown->activeAction()) {
            if (active->menu() != nullptr && active->text().startsWith("More (")) {
                const auto more = std::size_t(active->text().mid(6).chopped(1).toInt());
                EXPECT_EQ(more + FavouritesMenu::kEntriesPerMenu, count);
                EXPECT_GT(more, 0u);  // never a "More" with nothing behind it
                EXPECT_TRUE(active->menu()->actions().isEmpty());  // filled only when it shows
                count = more;
                QTest::keyClick(shown, Qt::Key_Right);
                EXPECT_EQ(QApplication::activePopupWidget(), active->menu());
                shown = active->menu();
                continue;
            }
            reached << active->text();
            if (active->menu() == nullptr) {
                active->trigger();
            }
            if (active == shown->actions().last()) {
                break;
            }
            QTest::keyClick(shown, Qt::Key_Down);
            EXPECT_NE(shown->activeAction(), active);
        }
        // The last menu holds what is left, or "(empty)".
        EXPECT_EQ(shown->actions().size(), qsizetype(std::max<std::size_t>(count, 1)));
        EXPECT_LE(shown->actions().size(), qsizetype(FavouritesMenu::kEntriesPerMenu));
        return reached;
    }

    store::Database db;
    FavouritesMenu menu{db};
    std::vector<std::string> opened;
};

QString plainText(const QString& toolTip) {
    QTextDocument document;
    document.setHtml(toolTip);
    return document.toPlainText().replace(QChar::LineSeparator, QLatin1Char('\n'));
}

TEST_F(FavouritesMenuTest, EveryEntryIsReachedByKeyboardThroughMenusOfFortyAndMore) {
    // Sub-categories first, then links, counted together: 3 + 38 is one past a full menu.
    const std::pair<int, int> cases[] = {{0, 0}, {40, 0}, {3, 38}, {2100, 0}};
    for (const auto& [categories, links] : cases) {
        SCOPED_TRACE(categories + links);
        TearDown();
        SetUp();
        QStringList expected;
        for (int i = 0; i < categories; ++i) {
            expected << QStringLiteral("Category %1").arg(i, 4, 10, QLatin1Char('0'));
            addCategory(store::kFavoritesId, expected.last().toStdString());
        }
        std::vector<std::string> addresses;
        for (int i = 0; i < links; ++i) {
            addresses.push_back("http://example.org/" + std::to_string(i));
            expected << QStringLiteral("Link %1").arg(i);
            db.addItem(store::kFavoritesId,
                       test::link(expected.last().toStdString(), addresses.back()));
        }
        opened.clear();
        EXPECT_EQ(walkByKeyboard(std::size_t(categories + links)), expected);
        EXPECT_EQ(opened, addresses);
    }
}

TEST_F(FavouritesMenuTest, NamesShowAsTypedCutInTheMiddleWithTheWholeTextAsToolTip) {
    const std::uint16_t tools = addCategory(store::kFavoritesId, "Dev & Tools");
    const std::string longTitle = "Start " + std::string(800, 'x') + " <b>end</b> & done";
    db.addItem(tools, test::link(longTitle, "http://long.example/"));
    db.renameCategory(store::kFavoritesId, "Web & Favourites");

    EXPECT_EQ(menu.title(), "Web && Favourites");
    menu.fill(menu);
    QMenu* toolsMenu = menu.actions().at(0)->menu();
    EXPECT_EQ(toolsMenu->title(), "Dev && Tools");
    EXPECT_EQ(plainText(toolsMenu->menuAction()->toolTip()), "Dev & Tools");
    menu.fill(*toolsMenu);
    ASSERT_EQ(toolsMenu->actions().size(), 1);
    // How a title is cut and escaped is MenuTextTest's; the entry shows the menu's text.
    EXPECT_EQ(toolsMenu->actions().at(0)->text(), menuEntryText(QString::fromStdString(longTitle)));
    EXPECT_EQ(plainText(toolsMenu->actions().at(0)->toolTip()),
              QString::fromStdString(longTitle) + "\nhttp://long.example/");
    EXPECT_TRUE(toolsMenu->toolTipsVisible());
}

TEST_F(FavouritesMenuTest, EmptyCategoriesShowADisabledEntryAndLinksOpenFromTheirOwn) {
    const std::uint16_t empty = addCategory(store::kFavoritesId, "Empty");
    const std::uint16_t files = addCategory(store::kFavoritesId, "Only files");
    db.addItem(files, test::fileItem("notes.txt", "/tmp"));
    menu.fill(menu);
    for (int row : {0, 1}) {
        QMenu* sub = menu.actions().at(row)->menu();
        menu.fill(*sub);
        ASSERT_EQ(sub->actions().size(), 1);
        EXPECT_EQ(sub->actions().at(0)->text(), "(empty)");
        EXPECT_FALSE(sub->actions().at(0)->isEnabled());
    }
    // A link added later: the menu is built afresh and the entry opens it.
    db.addItem(empty, test::link("Now here", "http://here/"));
    menu.fill(menu);
    QMenu* sub = menu.actions().at(0)->menu();
    menu.fill(*sub);
    ASSERT_EQ(sub->actions().size(), 1);
    sub->actions().at(0)->trigger();
    EXPECT_EQ(opened, std::vector<std::string>{"http://here/"});
}

TEST_F(FavouritesMenuTest, ACategoryBroughtBackByUndoShowsItsLinksInOrderAndOpensThem) {
    history::UndoStack stack(db);
    const std::uint16_t bulk = addCategory(store::kFavoritesId, "Bulk");
    for (const char* title : {"one", "two", "three"}) {
        db.addItem(bulk, test::link(title, std::string("http://") + title + "/"));
    }
    EXPECT_EQ(walkByKeyboard(1), QStringList{"Bulk"});
    menu.close();
    {
        const store::ChangeStep step(db, "Delete Category 'Bulk'");
        db.removeCategory(bulk, false);
    }
    ASSERT_TRUE(stack.undo());
    EXPECT_EQ(walkByKeyboard(1), QStringList{"Bulk"});
    QMenu* links = menu.actions().front()->menu();
    ASSERT_NE(links, nullptr);
    links->popup(QPoint(0, 0));
    QStringList texts;
    for (QAction* link : links->actions()) {
        texts << link->text();
        link->trigger();  // by its fresh slot
    }
    EXPECT_EQ(texts, QStringList({"one", "two", "three"}));
    EXPECT_EQ(opened, std::vector<std::string>({"http://one/", "http://two/", "http://three/"}));
}

}  // namespace
}  // namespace lh::gui
