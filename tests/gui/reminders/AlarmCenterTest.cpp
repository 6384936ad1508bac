#include "gui/reminders/AlarmCenter.h"

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "gui/reminders/AlarmWindow.h"
#include "gui/reminders/SoundPlayer.h"

namespace lh::gui {
namespace {

using Log = std::vector<std::string>;

class RecordingPlayer final : public SoundPlayer {
public:
    explicit RecordingPlayer(Log& log) : m_log(log) {}
    void loop(const std::string& file) override { m_log.push_back("loop " + file); }
    void stop() override { m_log.push_back("stop"); }

private:
    Log& m_log;
};

reminders::Announcement announcement(const std::string& title) {
    return {title, "", "Reminders", "/sounds/" + title + ".wav", 3, std::nullopt};
}

AlarmWindow* alarmTitled(const QString& title) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* alarm = qobject_cast<AlarmWindow*>(w);
        if (alarm != nullptr && alarm->isVisible() && alarm->windowTitle() == title) {
            return alarm;
        }
    }
    return nullptr;
}

// Clicks as the window system does, so that a window held back by a modal dialog ignores it.
void click(QWidget* alarm, const char* name) {
    auto* button = alarm->findChild<QWidget*>(name);
    QTest::mouseClick(alarm->windowHandle(), Qt::LeftButton, {},
                      button->mapTo(alarm, button->rect().center()));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct Fixture {
    Fixture() {
        auto* central = new QPushButton(QStringLiteral("pane"), &window);
        window.setCentralWidget(central);
        QObject::connect(central, &QPushButton::clicked, [this] { ++paneClicks; });
        window.show();
        QObject::connect(&center, &AlarmCenter::snoozeRequested,
                         [this](const reminders::Announcement& a, int seconds) {
                             snoozes.emplace_back(a.title, seconds);
                         });
        QObject::connect(&center, &AlarmCenter::allClosed, [this] { ++allClosed; });
    }
    bool contentsTakeInput() {
        const int before = paneClicks;
        QTest::mouseClick(window.centralWidget(), Qt::LeftButton);
        return paneClicks == before + 1;
    }

    Log sounds;
    QMainWindow window;
    AlarmCenter center{window, std::make_unique<RecordingPlayer>(sounds)};
    int paneClicks = 0;
    int allClosed = 0;
    std::vector<std::pair<std::string, int>> snoozes;
};

TEST(AlarmCenterTest, SoundsTheNewestAndBlocksTheMainWindowsContentsUntilEveryAlarmIsAnswered) {
    Fixture f;
    // A dialog that lives inside the window's panes, as the category dialogs do.
    auto* paneDialog = new QDialog(f.window.centralWidget());
    auto* paneDialogButton = new QPushButton(QStringLiteral("OK"), paneDialog);
    int paneDialogClicks = 0;
    QObject::connect(paneDialogButton, &QPushButton::clicked, [&] { ++paneDialogClicks; });
    paneDialog->show();
    ASSERT_TRUE(f.contentsTakeInput());

    for (const char* title : {"a", "b", "c"}) {
        f.center.announce(announcement(title));
    }
    EXPECT_EQ(f.sounds, (Log{"loop /sounds/a.wav", "loop /sounds/b.wav", "loop /sounds/c.wav"}));
    EXPECT_FALSE(f.contentsTakeInput());
    QTest::mouseClick(paneDialogButton, Qt::LeftButton);
    EXPECT_EQ(paneDialogClicks, 1);  // dialogs stay answerable

    f.sounds.clear();
    click(alarmTitled("b"), "acknowledgeButton");  // not sounding: c goes on
    EXPECT_TRUE(f.sounds.empty());
    AlarmWindow* c = alarmTitled("c");
    QTest::mouseClick(c->findChild<QRadioButton*>("tenMinutesRadioButton"), Qt::LeftButton);
    click(c, "remindLaterButton");  // the newest remaining takes over
    EXPECT_EQ(f.sounds, (Log{"stop", "loop /sounds/a.wav"}));
    EXPECT_EQ(f.snoozes, (std::vector<std::pair<std::string, int>>{{"c", 600}}));
    EXPECT_FALSE(f.contentsTakeInput());
    EXPECT_EQ(f.allClosed, 0);
    alarmTitled("a")->close();  // the close box
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f.center.openCount(), 0);
    EXPECT_EQ(f.allClosed, 1);
    EXPECT_TRUE(f.contentsTakeInput());
    EXPECT_EQ(f.snoozes.size(), 1u);  // closing is no snooze

    // At exit the open alarms close silently and are handed back to be kept.
    f.center.announce(announcement("d"));
    f.sounds.clear();
    EXPECT_EQ(f.center.closeAll(), std::vector{announcement("d")});
    EXPECT_EQ(f.sounds, (Log{"stop"}));
    EXPECT_EQ(alarmTitled("d"), nullptr);
    EXPECT_TRUE(f.contentsTakeInput());
    EXPECT_EQ(f.allClosed, 1);
}

TEST(AlarmCenterTest, AnAlarmUnderAModalDialogSoundsAndIsAnswerable) {
    Fixture f;
    // A window-modal dialog over the main window, as the item dialogs open.
    QDialog windowModal(&f.window);
    windowModal.open();
    f.center.announce(announcement("meeting"));
    ASSERT_NE(alarmTitled("meeting"), nullptr);
    click(alarmTitled("meeting"), "acknowledgeButton");
    EXPECT_EQ(f.center.openCount(), 0);
    windowModal.reject();

    // An application-wide question holds the alarm back, but it is heard at once.
    f.sounds.clear();
    QDialog question;
    question.setWindowModality(Qt::ApplicationModal);
    question.show();
    f.center.announce(announcement("late"));
    EXPECT_EQ(f.sounds, (Log{"loop /sounds/late.wav"}));
    click(alarmTitled("late"), "acknowledgeButton");
    EXPECT_EQ(f.center.openCount(), 1);
    question.accept();
    click(alarmTitled("late"), "acknowledgeButton");
    EXPECT_EQ(f.center.openCount(), 0);
}

}  // namespace
}  // namespace lh::gui
