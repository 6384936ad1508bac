#include "gui/shell/BrowserCapture.h"

#include <QClipboard>
#include <QMimeData>
#include <QUrl>

namespace lh::gui {

CapturedPage captureBrowserPage(const QClipboard& clipboard) {
    const QMimeData* data = clipboard.mimeData(QClipboard::Clipboard);
    QString text;
    if (data != nullptr && data->hasUrls() && data->urls().size() == 1) {
        text = data->urls().front().toString();
    } else {
        text = clipboard.text(QClipboard::Clipboard).trimmed();
    }
    if (text.isEmpty() || text.contains('\n') || text.contains('\r')) {
        return {};
    }
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != "http" && scheme != "https" && scheme != "ftp")) {
        return {};
    }
    return {std::string(), text.toStdString()};
}

}  // namespace lh::gui
