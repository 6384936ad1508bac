#include "gui/uikit/PaneLook.h"

#include <QAbstractScrollArea>
#include <QFileInfo>
#include <QImageReader>
#include <QPalette>
#include <QPixmap>

#include <optional>

#include "gui/uikit/QtText.h"
#include "gui/uikit/StoredColour.h"

namespace lh::gui {

namespace {

// The wallpaper's picture, when it is a regular file of a size we take.
std::optional<QPixmap> wallpaper(const std::string& path) {
    if (path.empty() || !QFileInfo(toQString(path)).isFile()) {
        return std::nullopt;
    }
    QImageReader reader(toQString(path));
    const QSize size = reader.size();  // from the header: nothing is decoded yet
    if (!size.isValid() || size.width() > kMaxWallpaperSide || size.height() > kMaxWallpaperSide) {
        return std::nullopt;
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        return std::nullopt;
    }
    return QPixmap::fromImage(image);
}

}  // namespace

bool applyPaneLook(QAbstractScrollArea& pane, const settings::PaneLook& look) {
    QPalette palette = pane.palette();
    QBrush background(storedColour(look.background));
    const std::optional<QPixmap> picture = wallpaper(look.wallpaper);
    if (picture) {
        background.setTexture(*picture);  // tiled from the top left
    }
    palette.setBrush(QPalette::Base, background);
    palette.setColor(QPalette::Text, storedColour(look.text));
    pane.setPalette(palette);
    return picture.has_value() || look.wallpaper.empty();
}

}  // namespace lh::gui
