#include "gui/shell/BrowserCapture.h"

#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

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
