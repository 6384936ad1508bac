#include "gui/uikit/ShippedFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace lh::gui {

QStringList shippedFilePlaces(const QString& relative, const QString& programFolder,
                              const QString& dataFolder) {
    QStringList places{QDir(programFolder).filePath(relative)};
    if (!dataFolder.isEmpty()) {
        places << QDir(dataFolder).filePath(relative);
    }
    return places;
}

QString findShippedFile(const QString& relative, const QString& programFolder,
                        const QString& dataFolder) {
    for (const QString& place : shippedFilePlaces(relative, programFolder, dataFolder)) {
        if (QFileInfo(place).isFile()) {
            return place;
        }
    }
    return {};
}

QString programFolder() {
    return QCoreApplication::applicationDirPath();
}

QString installedDataFolder() {
    return QStringLiteral(LINKHAVEN_DATA_FOLDER);
}

}  // namespace lh::gui
