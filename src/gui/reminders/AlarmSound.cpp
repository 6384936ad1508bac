#include "gui/reminders/AlarmSound.h"

#include "gui/uikit/ShippedFiles.h"
#include "settings/AppSettings.h"

namespace lh::gui {

namespace {

const QString kChime = QStringLiteral("sounds/rmdsound.wav");

}  // namespace

QString shippedAlarmSound(const QString& programFolder, const QString& dataFolder) {
    const QString found = findShippedFile(kChime, programFolder, dataFolder);
    return found.isEmpty() ? shippedFilePlaces(kChime, programFolder, dataFolder).front() : found;
}

void fillDefaultAlarmSound(settings::AppSettings& settings) {
    if (settings.RemindSound.empty()) {
        settings.RemindSound =
            shippedAlarmSound(programFolder(), installedDataFolder()).toStdString();
    }
}

}  // namespace lh::gui
