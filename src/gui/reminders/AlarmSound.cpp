#include "gui/reminders/AlarmSound.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "settings/AppSettings.h"

namespace lh::gui {

namespace {

const QString kChime = QStringLiteral("sounds/rmdsound.wav");

}  // namespace

QString shippedAlarmSound(const QString& programFolder, const QString& dataFolder) {
    const QString beside = QDir(programFolder).filePath(kChime);
    if (QFileInfo(beside).isFile() || dataFolder.isEmpty()) {
        return beside;
    }
    const QString installed = QDir(dataFolder).filePath(kChime);
    return QFileInfo(installed).isFile() ? installed : beside;
}

void fillDefaultAlarmSound(settings::AppSettings& settings) {
    if (settings.RemindSound.empty()) {
        settings.RemindSound = shippedAlarmSound(QApplication::applicationDirPath(),
                                                 QStringLiteral(LINKHAVEN_DATA_FOLDER))
                                   .toStdString();
    }
}

}  // namespace lh::gui
