#include "gui/shell/QtSettingsBackend.h"

#include <QSettings>

#include <gtest/gtest.h>

#include "settings/SettingsStore.h"
#include "support/TempDir.h"

namespace lh::gui {
namespace {

using settings::AppSettings;
using settings::ColumnLayout;

TEST(QtSettingsBackendTest, SettingsRoundTripThroughTheIniFileUnderXdgConfigHome) {
    test::TempDir dir;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.path()));
    // Qt may have taken the folder already; point it at the same place.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(dir.path()));

    // Numbers, texts (UTF-8) and byte blocks, under each key; what each setting is stored as is
    // SettingsStoreTest's.
    AppSettings written;
    const std::vector<settings::ToolbarButton> buttons = {{0, 32789, 4, 0, 0, 0},
                                                          {0, 0, 4, 1, 0, -1}};  // bytes 0xFF
    {
        QtSettingsBackend backend;
        settings::SettingsStore store(backend);
        EXPECT_EQ(backend.openKey("ToolBar", false), nullptr);
        store.readAtStart(written);  // first run: defaults written back

        written.AutoSaveTime = 5 * 60;
        written.Defbrowser = "firefox --private-window \xC3\xA9t\xC3\xA9";
        written.URLNormal = 5;
        written.OddText = 0x00FF8040;
        written.layout(ColumnLayout::Kind::Remind).entries[6].width = 512;
        store.writeAtClose(written, "/home/a/m\xC3\xBC.lhd", buttons, {});
    }

    const std::string ini = dir.path() + "/Linkhaven/Linkhaven.conf";
    const std::string text = test::readBytes(ini);
    EXPECT_NE(text.find("AutoSaveTime=5\n"), std::string::npos) << text;

    QtSettingsBackend backend;
    settings::SettingsStore store(backend);
    AppSettings read;
    store.readAtStart(read);
    EXPECT_EQ(read, written);
    EXPECT_EQ(store.readRemotefile(), "/home/a/m\xC3\xBC.lhd");
    EXPECT_EQ(store.readButtons({}), buttons);
    EXPECT_FALSE(store.readUserString("Software\\Other", "Value"));
}

TEST(QtSettingsBackendTest, ForeignValuesReadAsMissing) {
    test::TempDir dir;
    const QString path = QString::fromStdString(dir.file("s.ini"));
    {
        QSettings raw(path, QSettings::IniFormat);
        raw.setValue("General/AutoSaveTime", "often");
        raw.setValue("General/WDropX", "-5");
    }
    QtSettingsBackend backend(path);
    auto key = backend.openKey("General", false);
    ASSERT_NE(key, nullptr);
    EXPECT_FALSE(key->readDword("AutoSaveTime"));
    EXPECT_EQ(key->readDword("WDropX"), static_cast<std::uint32_t>(-5));
    EXPECT_FALSE(key->readBinary("WDropX"));  // what the store then uses is SettingsStoreTest's
}

}  // namespace
}  // namespace lh::gui
