#include "gui/shell/BrowserLauncher.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
    // QTest's own QTRY macros report to QTest, not to GoogleTest: a miss would pass unseen.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return QFile::exists(QString::fromStdString(record)); }, 10'000));
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
    launcher.openUrl("http://a/");  // what is refused is BrowserCommandTest's
    EXPECT_EQ(started, 0);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_NE(prompter.shown[0].text.find("quote"), std::string::npos);
    command = "browser";
    launcher.openUrl("http://fine/");
    EXPECT_EQ(started, 1);
}

}  // namespace
}  // namespace lh::gui
