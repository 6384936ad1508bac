#include "gui/items/ItemActions.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/items/ItemDialogs.h"
#include "gui/items/ItemPane.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/shell/BrowserLauncher.h"
#include "settings/AppSettings.h"
#include "store/Database.h"
#include "support/DatabaseFiles.h"
#include "support/DatabaseMirror.h"
#include "support/FakeClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace lh::gui {
namespace {

using Ids = std::vector<store::ItemId>;
using Texts = std::vector<std::string>;
using C = CommandId;
constexpr store::CategoryId kShown = 7;

QString urlOf(const std::string& path) {
    return QUrl::fromLocalFile(QString::fromStdString(path)).toString();
}

// The rules are ItemCommandsTest's and ItemCommandRulesTest's; these check that the actions,
// menus and the list's own events reach them, and what they hand to the dialogs, the browser,
// the clipboard and the desktop.
class ItemActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.createDefault();
        test::writeBytes(dir.file("a.txt"), "x");
        settings.Defbrowser = "browser";
        browser.setStarter([this](const QString& program, const QStringList& arguments) {
            started << program + " " + arguments.join(' ');
            return true;
        });
        itemActions.setOpener([this](const QUrl& url) {
            opened << url.toString();
            return true;
        });
        for (const store::ItemFields& fields :
             {test::link("url", "http://a/"), test::fileItem("a.txt", dir.path()),
              test::link("r", "", store::kKindRemind), test::fileItem("gone.txt", dir.path())}) {
            ids.push_back(db.addItem(kShown, fields)->id());
        }
        parent.resize(600, 400);
        parent.show();
        pane.showCategory(kShown);
    }
    void TearDown() override { dialogs.closeDialog(); }

    bool enabled(CommandId id) { return actions.action(id)->isEnabled(); }
    void trigger(CommandId id) { actions.action(id)->trigger(); }
    Texts titles(store::CategoryId id) { return test::itemTitles(db, id); }
    test::TempDir dir;
    test::FakeClock clock;
    store::Database db{clock};
    settings::AppSettings settings;
    test::ScriptedPrompter prompter;
    test::ScriptedFileChooser files;
    QWidget parent;
    ItemPane pane{db, settings, &parent};
    ItemDialogs dialogs{{db, prompter, files, settings, clock}, &parent};
    BrowserLauncher browser{prompter, [this] { return settings.Defbrowser; }};
    ActionRegistry actions;
    ItemActions itemActions{actions, pane, dialogs, {db, prompter, settings, browser}};
    QStringList started;
    QStringList opened;
    Ids ids;
};

TEST_F(ItemActionsTest, ContextMenuByTheFirstSelectedItemsKindWithDeleteItem) {
    // Which commands each kind's menu lists is the command table's; the menus hold the registry's
    // actions.
    EXPECT_TRUE(itemActions.contextMenu(items::ItemKind::Url)
                    ->actions()
                    .contains(actions.action(C::BrowseUrl)));
    EXPECT_EQ(itemActions.contextMenu(items::ItemKind::Mixed), nullptr);

    pane.select(Ids{ids[2], ids[1]});  // the File item is the first selected row
    emit pane.contextMenuRequested(QPoint(10, 10));
    QMenu* fileMenu = itemActions.contextMenu(items::ItemKind::File);
    EXPECT_TRUE(fileMenu->isVisible());
    EXPECT_FALSE(itemActions.contextMenu(items::ItemKind::Remind)->isVisible());
    fileMenu->hide();
    // "Delete Item" follows Delete's enabled state and runs it: to the front of the Recycle.
    QAction* deleteItem = fileMenu->actions().back();
    actions.action(C::DeleteItems)->setEnabled(false);
    EXPECT_FALSE(deleteItem->isEnabled());
    actions.action(C::DeleteItems)->setEnabled(true);
    deleteItem->trigger();
    EXPECT_EQ(titles(store::kRecycleId), (Texts{"r", "a.txt"}));
}

TEST_F(ItemActionsTest, EnabledStatesFollowTheSelectionAndTheRemindEditor) {
    pane.select(Ids{ids[0]});
    EXPECT_FALSE(enabled(C::MoveUp));
    pane.select(Ids{ids[2], ids[3]});
    EXPECT_FALSE(enabled(C::ItemProperty));  // a Remind item without the remind editor
    EXPECT_FALSE(enabled(C::MoveDown));      // the last row
    std::vector<std::pair<store::ItemId, store::CategoryId>> edited;
    dialogs.setRemindEditor(
        [&](store::ItemId id, store::CategoryId c) { edited.emplace_back(id, c); });
    itemActions.updateActions();
    EXPECT_TRUE(enabled(C::ItemProperty));
    trigger(C::ItemProperty);
    trigger(C::AddRemind);
    EXPECT_EQ(edited, (std::vector<std::pair<store::ItemId, store::CategoryId>>{
                          {ids[2], kShown}, {store::kNoItemId, kShown}}));

    // Move Up keeps the same items selected at their new rows.
    trigger(C::MoveUp);
    EXPECT_EQ(titles(kShown), (Texts{"url", "r", "gone.txt", "a.txt"}));
    EXPECT_EQ(pane.selectedRows(), (std::vector<int>{1, 2}));
    EXPECT_TRUE(enabled(C::MoveDown));
    pane.showCategory(std::nullopt);
    EXPECT_FALSE(enabled(C::MoveDown));
}

TEST_F(ItemActionsTest, DoubleClickOpensWhatTheSettingsSay) {
    settings.OtherFlag.setUrlDoubleClick(2);
    settings.OtherFlag.setFileDoubleClick(3);
    emit pane.itemActivated(ids[0]);
    EXPECT_EQ(started, QStringList{"browser http://a/"});
    emit pane.itemActivated(ids[1]);
    emit pane.itemActivated(ids[3]);  // the file is gone: told, nothing opened
    EXPECT_EQ(opened, QStringList{urlOf(dir.file("a.txt"))});
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{"\"" + dir.file("gone.txt") + "\" does not exist."});
    settings.OtherFlag.setUrlDoubleClick(1);
    emit pane.itemActivated(ids[0]);
    ASSERT_NE(dialogs.openDialog(), nullptr);
    EXPECT_EQ(dialogs.openDialog()->objectName(), "commentDialog");
    settings.OtherFlag.setFileDoubleClick(0);
    emit pane.itemActivated(ids[1]);
    EXPECT_EQ(dialogs.openDialog()->objectName(), "addFileDialog");

    pane.select(Ids{ids[1]});
    trigger(C::OpenFileFolder);
    EXPECT_EQ(opened.back(), urlOf(dir.path()));
}

TEST_F(ItemActionsTest, CopiedFilesPasteInFileManagersAndDropsMoveRows) {
    pane.select(Ids{ids[0], ids[1], ids[3]});
    trigger(C::CopyFile);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    const QString a = urlOf(dir.file("a.txt"));
    ASSERT_EQ(mime->urls().size(), 2);
    EXPECT_EQ(mime->urls()[0].toString(), a);
    EXPECT_EQ(QString::fromUtf8(mime->data("x-special/gnome-copied-files")),
              "copy\n" + a + "\n" + urlOf(dir.file("gone.txt")));

    itemActions.moveDroppedItems(8, {ids[0], ids[1], ids[2]});
    EXPECT_EQ(titles(8), (Texts{"r", "a.txt", "url"}));
    EXPECT_EQ(titles(kShown), Texts{"gone.txt"});
    EXPECT_EQ(pane.selectedItems(), Ids{ids[3]});
    prompter.answers = {commands::Prompter::Answer::No};
    emit pane.deleteRequested(true);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Also delete file(s)?"});
    EXPECT_TRUE(titles(kShown).empty());
}

}  // namespace
}  // namespace lh::gui
