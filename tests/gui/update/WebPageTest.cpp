#include "gui/update/WebPage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/shell/BrowserLauncher.h"
#include "support/RecordingBrowser.h"
#include "support/ScriptedPrompter.h"
#include "update/ProductInfo.h"

namespace lh::gui {
namespace {

TEST(WebPageTest, OnlyWebAddressesWithAHostAreOpened) {
    test::ScriptedPrompter prompter;
    BrowserLauncher browser(prompter, [] { return std::string("browser"); });
    std::vector<std::string> opened;
    test::recordOpenedPages(browser, opened);
    for (const char* refused : {"file:///etc/passwd", "javascript:alert(1)", "ftp://example.org/",
                                "http://", "/images/lhdupdate.ini", "", "http://a b/"}) {
        EXPECT_FALSE(openWebPage(browser, refused)) << refused;
    }
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(openWebPage(browser, update::kHomePage));
    EXPECT_TRUE(openWebPage(browser, update::kDownloadPage));
    EXPECT_TRUE(openWebPage(browser, "HTTP://example.org:8080/x"));
    EXPECT_EQ(opened, (std::vector<std::string>{update::kHomePage, update::kDownloadPage,
                                                "HTTP://example.org:8080/x"}));
    EXPECT_TRUE(prompter.shown.empty());
}

}  // namespace
}  // namespace lh::gui
