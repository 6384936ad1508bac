#include "gui/items/FileClipboard.h"

#include <QList>
#include <QMimeData>
#include <QUrl>

namespace lh::gui {

QMimeData* copiedFilesMimeData(const std::vector<std::string>& paths) {
    QList<QUrl> urls;
    QByteArray copied = "copy";
    for (const std::string& path : paths) {
        const QUrl url = QUrl::fromLocalFile(QString::fromStdString(path));
        urls.append(url);
        copied += '\n' + url.toEncoded();
    }
    auto* mime = new QMimeData;
    mime->setUrls(urls);
    mime->setData(QStringLiteral("x-special/gnome-copied-files"), copied);
    return mime;
}

}  // namespace lh::gui
