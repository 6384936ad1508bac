#include "gui/dropzone/DropZone.h"

#include <sys/stat.h>

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
#include "store/Database.h"
#include "support/FakeClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace lh::gui {
namespace {

class DropZoneTest : public ::testing::Test {
protected:
    DropZoneTest() { db.createDefault(); }

    DropZone::Services services() {
        return {db,
                settings,
                clock,
                actions,
                tray,
                dialogs,
                [this] { return current; },
                [this](const std::string& text) { status.push_back(text); }};
    }

    // Drags `mime` onto the window and drops it; true when it was entered and taken, as a copy.
    static bool drop(DropZoneWindow& window, QMimeData& mime,
                     Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction,
                     Qt::KeyboardModifiers keys = Qt::NoModifier) {
        const QPointF at(43, 43);
        QDragEnterEvent enter(at.toPoint(), offered, &mime, Qt::LeftButton, keys);
        QApplication::sendEvent(&window, &enter);
        if (!enter.isAccepted() || enter.dropAction() != Qt::CopyAction) {
            return false;
        }
        QDropEvent event(at, offered, &mime, Qt::LeftButton, keys);
        QApplication::sendEvent(&window, &event);
        return event.isAccepted() && event.dropAction() == Qt::CopyAction;
    }
    static QMimeData* files(const std::vector<std::string>& paths) {
        auto* mime = new QMimeData;
        QList<QUrl> urls;
        for (const std::string& path : paths) {
            urls << QUrl::fromLocalFile(QString::fromStdString(path));
        }
        mime->setUrls(urls);
        mime->setText(QStringLiteral("http://not.this/"));
        return mime;
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
};

TEST_F(DropZoneTest, DroppedFilesOpenAddBachFileOverTheWholeTreeNeverOnRecycle) {
    test::TempDir dir;
    test::writeBytes(dir.file("a.txt"), "a");
    test::writeBytes(dir.file("b.txt"), "b");
    std::filesystem::create_directory(dir.file("folder"));
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    DropZone zone(services(), false);
    current = store::kRecycleId;
    std::unique_ptr<QMimeData> mime(
        files({dir.file("folder"), dir.file("a.txt"), dir.file("fifo"), dir.file("b.txt")}));
    ASSERT_TRUE(drop(zone.window(), *mime, Qt::CopyAction | Qt::MoveAction, Qt::ControlModifier));

    auto* batch = qobject_cast<AddBatchFileDialog*>(openedAfterTheDrop());
    ASSERT_NE(batch, nullptr);
    const commands::BatchValues values = batch->values();
    ASSERT_EQ(values.rows.size(), 2u);  // shown last first
    EXPECT_EQ(values.rows[0].name, "b.txt");
    EXPECT_EQ(values.rows[1].name, "a.txt");
    EXPECT_EQ(values.category, store::kFavoritesId);
    auto* combo = batch->findChild<CategoryComboBox*>("categoryComboBox");
    EXPECT_EQ(combo->lineOf(store::kRootId), 0);
    EXPECT_GT(combo->lineOf(store::kRecycleId), 0);  // the user may still choose it
    dialogs.closeDialog();

    current = 5;
    ASSERT_TRUE(drop(zone.window(), *mime));
    EXPECT_EQ(qobject_cast<AddBatchFileDialog*>(openedAfterTheDrop())->values().category, 5);
    dialogs.closeDialog();

    // Nothing usable: nothing opens, not even for the text beside the names, and the status
    // bar says why.
    mime.reset(files({dir.file("folder"), dir.file("fifo")}));
    ASSERT_TRUE(drop(zone.window(), *mime));
    EXPECT_EQ(openedAfterTheDrop(), nullptr);
    EXPECT_EQ(status.size(), 1u);
}

TEST_F(DropZoneTest, ADroppedLinkOpensAddUrlWithItsAddress) {
    DropZone zone(services(), false);
    QMimeData link;
    link.setUrls({QUrl("https://example.org/a?b=c"), QUrl("https://example.org/second")});
    link.setText("other text");
    ASSERT_TRUE(drop(zone.window(), link));
    QDialog* dialog = openedAfterTheDrop();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->findChild<QPlainTextEdit*>("urlPlainTextEdit")->toPlainText(),
              "https://example.org/a?b=c");
    dialogs.closeDialog();

    QMimeData text;
    text.setText("\n  http://dragged.example/  \nmore");
    ASSERT_TRUE(drop(zone.window(), text));
    dialog = openedAfterTheDrop();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->findChild<QPlainTextEdit*>("urlPlainTextEdit")->toPlainText(),
              "http://dragged.example/");
    dialogs.closeDialog();

    text.setText(QString::fromUtf8("http://a\0b", 10));
    ASSERT_TRUE(drop(zone.window(), text));
    EXPECT_EQ(openedAfterTheDrop(), nullptr);
    EXPECT_EQ(status,
              (std::vector<std::string>{"Nothing added: the dropped text holds no address."}));

    // Only a move offered: refused, or the source would delete what it dragged.
    text.setText("http://moved/");
    EXPECT_FALSE(drop(zone.window(), text, Qt::MoveAction));
    QMimeData image;
    image.setImageData(QImage(2, 2, QImage::Format_RGB32));
    EXPECT_FALSE(drop(zone.window(), image));
}

TEST_F(DropZoneTest, WhileADialogWaitsNoDropAndNoMenu) {
    DropZone zone(services(), false);
    zone.window().show();
    QMimeData text;
    text.setText("http://later/");
    {
        QDialog modal(&mainWindow);
        modal.setModal(true);
        modal.show();
        ASSERT_NE(QApplication::activeModalWidget(), nullptr);
        EXPECT_FALSE(drop(zone.window(), text));
        QTest::mouseClick(&zone.window(), Qt::RightButton);
        EXPECT_FALSE(tray.menu().isVisible());
    }
    QTest::mouseClick(&zone.window(), Qt::RightButton, {}, QPoint(30, 40));
    EXPECT_TRUE(tray.menu().isVisible());
    EXPECT_EQ(tray.menu().windowHandle()->transientParent(), zone.window().windowHandle());
    tray.menu().close();
}

TEST_F(DropZoneTest, MovesOnlyPastTheDragDistanceAndADoubleClickOpensOrHides) {
    int openHide = 0;
    actions.handle(CommandId::OpenHide, [&] { ++openHide; });
    settings.WDropX = 200;
    settings.WDropY = 150;
    DropZone zone(services(), false);
    zone.restore();
    DropZoneWindow& window = zone.window();
    ASSERT_EQ(window.pos(), QPoint(200, 150));
    const auto mouse = [&](QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
        const QPoint global = window.mapToGlobal(local);
        QMouseEvent event(type, local, global,
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, {});
        QApplication::sendEvent(&window, &event);
    };
    const int near = QApplication::startDragDistance() - 1;
    mouse(QEvent::MouseButtonPress, {40, 40}, Qt::LeftButton);
    mouse(QEvent::MouseMove, {40 + near, 40}, Qt::LeftButton);
    EXPECT_EQ(window.pos(), QPoint(200, 150));
    mouse(QEvent::MouseButtonRelease, {40 + near, 40}, Qt::NoButton);
    mouse(QEvent::MouseButtonDblClick, {40, 40}, Qt::LeftButton);
    EXPECT_EQ(openHide, 1);

    mouse(QEvent::MouseButtonPress, {40, 40}, Qt::LeftButton);
    mouse(QEvent::MouseMove, {70, 60}, Qt::LeftButton);
    // This platform cannot move windows itself: the window follows the pointer.
    EXPECT_EQ(window.pos(), QPoint(230, 170));
    mouse(QEvent::MouseButtonRelease, {40, 40}, Qt::NoButton);
    zone.keepPosition();
    EXPECT_EQ(settings.WDropX, 230);
    EXPECT_EQ(settings.WDropY, 170);
}

TEST_F(DropZoneTest, ComesBackWithinReachAndShowsAsTheSettingsSay) {
    const QRect desk = QGuiApplication::primaryScreen()->availableGeometry();
    settings.WDropX = desk.right() + 100;
    settings.WDropY = 5;
    settings.GeneralCheck.setDropZoneShown(false);
    {
        DropZone zone(services(), false);
        zone.restore();
        EXPECT_EQ(zone.window().pos(), desk.topLeft() + QPoint(6, 5));
        EXPECT_FALSE(zone.window().isVisible());
        zone.setShown(true);
        EXPECT_TRUE(zone.window().isVisible());
        EXPECT_TRUE(zone.window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(zone.window().parentWidget(), nullptr);
    }
    // Where the desktop places windows itself, the stored place is neither used nor changed.
    settings.WDropX = -7;
    settings.GeneralCheck.setDropZoneShown(true);
    DropZone placed(services(), true);
    placed.restore();
    EXPECT_TRUE(placed.window().isVisible());
    EXPECT_TRUE(placed.window().testAttribute(Qt::WA_TranslucentBackground));
    placed.keepPosition();
    EXPECT_EQ(settings.WDropX, -7);
}

}  // namespace
}  // namespace lh::gui
