#include "gui/update/UpdateChecker.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/shell/BrowserLauncher.h"
#include "gui/update/UpdateCheckDialog.h"
#include "support/FakeUpdateRunner.h"
#include "support/RecordingBrowser.h"
#include "support/ScriptedPrompter.h"
#include "update/HttpResponse.h"
#include "update/ProductInfo.h"

namespace lh::gui {
namespace {

QString textOf(const QWidget& dialog) {
    return dialog.findChild<QLabel*>("updateTextLabel")->text();
}

QPushButton* moreInfo(const QWidget& dialog) {
    return dialog.findChild<QPushButton*>("moreInfoButton");
}

class UpdateCheckerTest : public ::testing::Test {
protected:
    UpdateCheckerTest() {
        test::recordOpenedPages(browser, opened);
        checker = std::make_unique<UpdateChecker>(std::make_unique<test::FakeUpdateRunner>(log),
                                                  browser, &window);
        checker->setPopupShower([this](QDialog& popup) {
            const QString button = moreInfo(popup)->isDefault() ? " [More Info]" : "";
            popups.push_back(popup.windowTitle() + ": " + textOf(popup) + button);
            moreInfo(popup)->click();
        });
    }

    // The check's thread reports; its result arrives on the GUI thread.
    void finish(int result) {
        log.finish(result);
        QCoreApplication::sendPostedEvents();
    }

    test::UpdateRunnerLog log;
    test::ScriptedPrompter prompter;
    BrowserLauncher browser{prompter, [] { return std::string("browser"); }};
    std::vector<std::string> opened;
    QStringList popups;  // "title: text [default button]"
    QWidget window;
    std::unique_ptr<UpdateChecker> checker;
};

TEST_F(UpdateCheckerTest, TheOpenDialogGetsEveryResultWithoutItOnlyNewsShowsThePopup) {
    UpdateCheckDialog* dialog = checker->showCheckDialog();
    EXPECT_EQ(log.starts, 1);
    EXPECT_EQ(textOf(*dialog), "Downloading the update information...");
    EXPECT_TRUE(moreInfo(*dialog)->isHidden());
    EXPECT_TRUE(moreInfo(*dialog)->isDefault());
    finish(update::kLatestVersion);
    EXPECT_TRUE(moreInfo(*dialog)->isHidden());
    dialog->close();

    // Each dialog starts a check of its own: the ended one is reaped first.
    for (int failure : {update::kNoInformation, update::kTimedOut}) {
        dialog = checker->showCheckDialog();
        finish(failure);
        EXPECT_EQ(textOf(*dialog), "Can't get update information.");
        dialog->close();
    }
    dialog = checker->showCheckDialog();
    EXPECT_EQ(log.starts, 4);
    finish(update::kNewerVersion);
    EXPECT_EQ(textOf(*dialog), "A newer version of Linkhaven was found.");
    EXPECT_FALSE(moreInfo(*dialog)->isHidden());
    moreInfo(*dialog)->click();  // opens the download page and closes
    EXPECT_EQ(opened, std::vector<std::string>{update::kDownloadPage});
    EXPECT_TRUE(popups.empty());

    // No dialog open: the latest version and failures say nothing, news shows the pop-up.
    for (int result : {update::kLatestVersion, update::kNoInformation, update::kNewerVersion}) {
        checker->automaticCheck();
        finish(result);
    }
    EXPECT_EQ(popups,
              QStringList{"Linkhaven Pop: A newer version of Linkhaven was found. [More Info]"});
    EXPECT_EQ(opened, (std::vector<std::string>{update::kDownloadPage, update::kDownloadPage}));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(UpdateCheckerTest, WithoutAnAnswerTheDialogGivesUpOnThe31stTickAndALateAnswerStillShows) {
    UpdateCheckDialog* dialog = checker->showCheckDialog();
    for (int tick = 1; tick <= 30; ++tick) {
        dialog->tick();
        ASSERT_EQ(textOf(*dialog), "Downloading the update information...") << tick;
        ASSERT_TRUE(moreInfo(*dialog)->isHidden()) << tick;
    }
    dialog->tick();
    const QString giveUp =
        QStringLiteral("Can't get update information. for more info please visit ") +
        update::kHomePage + " ";
    EXPECT_EQ(textOf(*dialog), giveUp);
    EXPECT_FALSE(moreInfo(*dialog)->isHidden());
    finish(update::kLatestVersion);
    EXPECT_EQ(textOf(*dialog), "You already have the latest version of Linkhaven.");
    moreInfo(*dialog)->click();  // still offered: the download page, not the home page
    EXPECT_EQ(opened, std::vector<std::string>{update::kDownloadPage});

    // An answer in time stays when the ticks run out.
    dialog = checker->showCheckDialog();
    finish(update::kLatestVersion);
    for (int tick = 1; tick <= 40; ++tick) {
        dialog->tick();
    }
    EXPECT_EQ(textOf(*dialog), "You already have the latest version of Linkhaven.");
    EXPECT_TRUE(moreInfo(*dialog)->isHidden());
}

TEST_F(UpdateCheckerTest,
       ARunningCheckOrAFailedStartAnswersTheDialogAndNothingIsShownAfterShutdown) {
    checker->automaticCheck();
    UpdateCheckDialog* dialog = checker->showCheckDialog();
    EXPECT_EQ(log.starts, 1);  // not a second check
    finish(update::kNewerVersion);
    EXPECT_EQ(textOf(*dialog), "A newer version of Linkhaven was found.");
    EXPECT_TRUE(popups.empty());
    dialog->close();

    log.failStarts = true;
    checker->automaticCheck();  // silent
    dialog = checker->showCheckDialog();
    EXPECT_EQ(textOf(*dialog), "Can't get update information.");
    EXPECT_TRUE(moreInfo(*dialog)->isHidden());
    dialog->close();

    // A result posted before the exit began is dropped.
    log.failStarts = false;
    checker->automaticCheck();
    log.finish(update::kNewerVersion);
    checker->shutdown();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(popups.empty());
    EXPECT_EQ(log.shutdownGrace, std::chrono::milliseconds(1000));
    // The checker going away shuts its runner down too.
    log.shutdownGrace.reset();
    checker.reset();
    EXPECT_TRUE(log.shutdownGrace.has_value());
}

// With a real thread the result crosses to the GUI thread by itself.
TEST_F(UpdateCheckerTest, AThreadsResultReachesTheDialog) {
    checker->setRunner(update::makeThreadRunner([](const std::atomic<bool>&) { return 7; }));
    UpdateCheckDialog* dialog = checker->showCheckDialog();
    const QString newer = QStringLiteral("A newer version of Linkhaven was found.");
    EXPECT_TRUE(QTest::qWaitFor([&] { return textOf(*dialog) == newer; }, 10000));
}

}  // namespace
}  // namespace lh::gui
