#include "gui/update/WebPage.h"

#include <QUrl>

#include "gui/shell/BrowserLauncher.h"
#include "gui/uikit/QtText.h"

namespace lh::gui {

bool openWebPage(BrowserLauncher& browser, const std::string& address) {
    const QUrl url(toQString(address), QUrl::StrictMode);
    const bool web = url.isValid() && (url.scheme() == QStringLiteral("http") ||
                                       url.scheme() == QStringLiteral("https"));
    if (!web || url.host().isEmpty()) {
        return false;
    }
    browser.openUrl(address);
    return true;
}

}  // namespace lh::gui
