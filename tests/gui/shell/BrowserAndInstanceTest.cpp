#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "gui/shell/BrowserCapture.h"
#include "gui/shell/BrowserLauncher.h"
#include "gui/shell/SingleInstance.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace lh::gui {
namespace {

TEST(BrowserLauncherTest, HostileAddressesReachARealBrowserUnchanged) {
    test::TempDir dir;
    const std::string script = dir.file("fake browser.sh");
    const std::string record = dir.file("arguments");
    // The fake browser writes each argument on its own line, NUL-terminated.
    test::writeBytes(script, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > '" +
                                 record + ".part'\nmv '" + record + ".part' '" + record + "'\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    const std::string canary = dir.file("canary");

    test::ScriptedPrompter prompter;
    const std::string command = "\"" + script + "\" --new-tab";
    BrowserLauncher launcher(prompter, [&] { return command; });
    const std::string hostile = "http://x/?q=\"a b\";touch " + canary + ";$(touch " + canary +
                                ")`touch " + canary + "`'&x=1";
    launcher.openUrl(hostile);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QString::fromStdString(record)), 10000);
    EXPECT_EQ(test::readBytes(record),
              std::string("--new-tab\0", 10) + hostile + std::string(1, '\0'));
    EXPECT_FALSE(std::filesystem::exists(canary));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST(BrowserLauncherTest, RefusalsAreExplainedAndStartNothing) {
    test::ScriptedPrompter prompter;
    std::string command = "\"/opt/browser";
    int started = 0;
    BrowserLauncher launcher(prompter, [&] { return command; });
    launcher.setStarter([&](const QString&, const QStringList&) {
        ++started;
        return true;
    });
    launcher.openUrl("http://a/");
    command = "browser";
    launcher.openUrl("-profile /tmp/evil");
    launcher.openUrl("http://a/\r\nx");
    EXPECT_EQ(started, 0);
    ASSERT_EQ(prompter.shown.size(), 3u);
    EXPECT_NE(prompter.shown[0].text.find("quote"), std::string::npos);
    EXPECT_NE(prompter.shown[1].text.find("\"-\""), std::string::npos);
    launcher.openUrl("http://fine/");
    EXPECT_EQ(started, 1);
}

TEST(SingleInstanceTest, ASecondStartHandsItsFileToTheFirst) {
    test::TempDir dir;
    const QString name = QString::fromStdString(dir.file("instance.socket"));
    SingleInstance first(name);
    ASSERT_TRUE(first.listen());
    QStringList received;
    bool busy = false;
    first.setHandler([&](const QString& file) {
        received << file;
        return !busy;
    });
    // The second start runs in this same process; answer its request from a worker thread.
    auto ask = [&](const QString& file) {
        std::atomic<bool> answered = false;
        SingleInstance::Reply reply = SingleInstance::Reply::NoAnswer;
        std::thread second([&] {
            reply = SingleInstance(name).askRunningInstance(file, 5000);
            answered = true;
        });
        while (!answered) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        second.join();
        return reply;
    };
    EXPECT_EQ(ask("/home/a/Notes.LHD"), SingleInstance::Reply::Done);
    EXPECT_EQ(ask(""), SingleInstance::Reply::Done);
    busy = true;
    EXPECT_EQ(ask("/home/a/Other.lhd"), SingleInstance::Reply::Busy);
    EXPECT_EQ(received, (QStringList{"/home/a/Notes.LHD", "", "/home/a/Other.lhd"}));
}

TEST(SingleInstanceTest, ALeftOverSocketIsTakenOver) {
    test::TempDir dir;
    const QString name = QString::fromStdString(dir.file("stale.socket"));
    test::writeBytes(name.toStdString(), "");  // what a crashed instance leaves behind
    EXPECT_EQ(SingleInstance(name).askRunningInstance("", 500), SingleInstance::Reply::NoAnswer);
    SingleInstance fresh(name);
    EXPECT_TRUE(fresh.listen());
}

}  // namespace
}  // namespace lh::gui

namespace lh::gui {
namespace {

TEST(BrowserCaptureTest, TakesAWebAddressFromTheClipboardOnly) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("  https://example.com/a?b=1  ");
    EXPECT_EQ(captureBrowserPage(*clipboard).address, "https://example.com/a?b=1");
    for (const char* other : {"just some words", "file:///etc/passwd", "javascript:alert(1)",
                              "http://a/\nhttp://b/", "", "mailto:a@b.c"}) {
        clipboard->setText(other);
        EXPECT_EQ(captureBrowserPage(*clipboard).address, "") << other;
    }
}

}  // namespace
}  // namespace lh::gui
