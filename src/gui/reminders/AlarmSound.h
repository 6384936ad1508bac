#pragma once

#include <QString>

namespace lh::settings {
struct AppSettings;
}

namespace lh::gui {

// The chime the program ships, "sounds/rmdsound.wav": beside the program (a build tree or a
// portable copy) when it is there, else in the installed data folder `dataFolder`; the path beside
// the program when neither exists (the alarm is then silent).
QString shippedAlarmSound(const QString& programFolder, const QString& dataFolder);

// Gives an empty RemindSound the shipped chime of this program.
void fillDefaultAlarmSound(settings::AppSettings& settings);

}  // namespace lh::gui
