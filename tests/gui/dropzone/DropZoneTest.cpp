#include "gui/dropzone/DropZone.h"

#include <QApplication>
#include <QDialog>
#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>

#include "commands/ItemEditor.h"
#include "gui/dropzone/DropZoneWindow.h"
#include "gui/items/AddBatchFileDialog.h"
#include "gui/items/ItemDialogs.h"
#include "gui/shell/ActionRegistry.h"
#include "gui/shell/FavouritesMenu.h"
#include "gui/shell/TrayIcon.h"
#include "gui/uikit/CategoryComboBox.h"
#include "settings/AppSettings.h"
#include "support/FakeClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace lh::gui {
namespace {

class DropZoneTest : public ::testing::Test {
protected:
    DropZoneTest() { db.createDefault(); }

    // Drags `mime` onto the zone and drops it; true when it was entered and taken, as a copy.
    bool drop(QMimeData& mime, Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction,
              Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QDragEnterEvent enter(QPoint(43, 43), offered, &mime, Qt::LeftButton, keys);
        QApplication::sendEvent(&zone.window(), &enter);
        QDropEvent event(QPointF(43, 43), offered, &mime, Qt::LeftButton, keys);
        if (enter.isAccepted() && enter.dropAction() == Qt::CopyAction) {
            QApplication::sendEvent(&zone.window(), &event);
        }
        return event.isAccepted() && event.dropAction() == Qt::CopyAction;
    }
    QDialog* openedAfterTheDrop() {
        EXPECT_EQ(dialogs.openDialog(), nullptr);  // not while the source waits
        QCoreApplication::processEvents();
        return dialogs.openDialog();
    }

    test::FakeClock clock;
    store::Database db{clock};
    settings::AppSettings settings;
    test::ScriptedPrompter prompter;
    test::ScriptedFileChooser fileChooser;
    ActionRegistry actions;
    FavouritesMenu favourites{db};
    TrayIcon tray{actions, favourites};
    QWidget mainWindow;
    ItemDialogs dialogs{{db, prompter, fileChooser, settings, clock}, &mainWindow};
    std::optional<store::CategoryId> current;
    std::vector<std::string> status;
    DropZone zone{{db, settings, clock, actions, tray, dialogs, [this] { return current; },
                   [this](const std::string& text) { status.push_back(text); }},
                  false};
};

TEST_F(DropZoneTest, DroppedFilesOpenAddBachFileOverTheWholeTreeNeverOnRecycle) {
    test::TempDir dir;
    test::writeBytes(dir.file("a.txt"), "a");
    std::filesystem::create_directory(dir.file("folder"));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.file("folder"))),
                  QUrl::fromLocalFile(QString::fromStdString(dir.file("a.txt")))});
    mime.setText("http://not.this/");
    current = store::kRecycleId;
    ASSERT_TRUE(drop(mime, Qt::CopyAction | Qt::MoveAction, Qt::ControlModifier));
    auto* batch = qobject_cast<AddBatchFileDialog*>(openedAfterTheDrop());
    ASSERT_NE(batch, nullptr);
    ASSERT_EQ(batch->values().rows.size(), 1u);
    EXPECT_EQ(batch->values().rows[0].name, "a.txt");
    EXPECT_EQ(batch->values().category, store::kFavoritesId);
    EXPECT_EQ(batch->findChild<CategoryComboBox*>("categoryComboBox")->lineOf(store::kRootId), 0);
    dialogs.closeDialog();  // an open dialog refuses drops
    current = 5;
    ASSERT_TRUE(drop(mime));
    EXPECT_EQ(qobject_cast<AddBatchFileDialog*>(openedAfterTheDrop())->values().category, 5);
    dialogs.closeDialog();

    // Nothing usable: nothing opens, not even for the text beside the names; the status bar
    // says why.
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.file("folder")))});
    ASSERT_TRUE(drop(mime));
    EXPECT_EQ(openedAfterTheDrop(), nullptr);
    EXPECT_EQ(status.size(), 1u);
}

TEST_F(DropZoneTest, ADroppedLinkOpensAddUrlWithItsAddress) {
    QMimeData link;
    link.setUrls({QUrl("https://example.org/a?b=c"), QUrl("https://example.org/second")});
    link.setText("other text");
    ASSERT_TRUE(drop(link));
    QDialog* dialog = openedAfterTheDrop();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->findChild<QPlainTextEdit*>("urlPlainTextEdit")->toPlainText(),
              "https://example.org/a?b=c");
    dialogs.closeDialog();

    QMimeData text;
    text.setText(QString::fromUtf8("http://a\0b", 10));
    ASSERT_TRUE(drop(text));
    EXPECT_EQ(openedAfterTheDrop(), nullptr);
    EXPECT_EQ(status,
              (std::vector<std::string>{"Nothing added: the dropped text holds no address."}));
    // Only a move offered: refused, or the source would delete what it dragged.
    EXPECT_FALSE(drop(link, Qt::MoveAction));
}

TEST_F(DropZoneTest, WhileADialogWaitsNoDropAndNoMenu) {
    zone.window().show();
    QMimeData text;
    text.setText("http://later/");
    {
        QDialog modal(&mainWindow);
        modal.setModal(true);
        modal.show();
        ASSERT_NE(QApplication::activeModalWidget(), nullptr);
        EXPECT_FALSE(drop(text));
        QTest::mouseClick(&zone.window(), Qt::RightButton);
        EXPECT_FALSE(tray.menu().isVisible());
    }
    QTest::mouseClick(&zone.window(), Qt::RightButton);
    EXPECT_TRUE(tray.menu().isVisible());
    EXPECT_EQ(tray.menu().windowHandle()->transientParent(), zone.window().windowHandle());
    tray.menu().close();
}

TEST_F(DropZoneTest, ComesBackWithinReachAndMovesOnlyPastTheDragDistance) {
    int openHide = 0;
    actions.handle(CommandId::OpenHide, [&] { ++openHide; });
    const QRect desk = QGuiApplication::primaryScreen()->availableGeometry();
    settings.WDropX = desk.right() + 100;
    settings.GeneralCheck.setDropZoneShown(false);
    zone.restore();
    DropZoneWindow& window = zone.window();
    const QPoint home = desk.topLeft() + QPoint(6, 5);
    EXPECT_EQ(window.pos(), home);
    EXPECT_FALSE(window.isVisible());

    const auto mouse = [&](QEvent::Type type, QPoint local) {
        QMouseEvent event(type, local, window.mapToGlobal(local),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
        QApplication::sendEvent(&window, &event);
    };
    mouse(QEvent::MouseButtonPress, {40, 40});
    mouse(QEvent::MouseMove, {39 + QApplication::startDragDistance(), 40});
    EXPECT_EQ(window.pos(), home);
    mouse(QEvent::MouseButtonRelease, {40, 40});
    mouse(QEvent::MouseButtonDblClick, {40, 40});
    EXPECT_EQ(openHide, 1);
    // This platform cannot move windows itself: the window follows the pointer.
    mouse(QEvent::MouseButtonPress, {40, 40});
    mouse(QEvent::MouseMove, {70, 60});
    zone.keepPosition();
    EXPECT_EQ(QPoint(settings.WDropX, settings.WDropY), home + QPoint(30, 20));

    // Where the desktop places windows itself, the stored place is neither used nor changed.
    DropZone placed({db, settings, clock, actions, tray, dialogs, {}, {}}, true);
    placed.restore();
    placed.keepPosition();
    EXPECT_EQ(QPoint(settings.WDropX, settings.WDropY), home + QPoint(30, 20));
}

}  // namespace
}  // namespace lh::gui
