#include "gui/reminders/AlarmSound.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace lh::gui {
namespace {

void makeChime(const QString& folder) {
    QDir().mkpath(folder + "/sounds");
    QFile file(folder + "/sounds/rmdsound.wav");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("RIFF");
}

TEST(AlarmSoundTest, FindsTheChimeBesideTheProgramBeforeTheInstalledOne) {
    test::TempDir temp;
    const QString program = QString::fromStdString(temp.file("bin"));
    const QString data = QString::fromStdString(temp.file("share/linkhaven"));
    // Neither there: the place beside the program (and a silent alarm).
    EXPECT_EQ(shippedAlarmSound(program, data), program + "/sounds/rmdsound.wav");
    makeChime(data);
    EXPECT_EQ(shippedAlarmSound(program, data), data + "/sounds/rmdsound.wav");
    makeChime(program);
    EXPECT_EQ(shippedAlarmSound(program, data), program + "/sounds/rmdsound.wav");
}

}  // namespace
}  // namespace lh::gui
