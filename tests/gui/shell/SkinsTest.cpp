#include "gui/shell/Skins.h"

#include <QImage>
#include <QListView>
#include <QMenu>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "gui/items/DetailPane.h"
#include "gui/uikit/PaneLook.h"
#include "settings/AppSettings.h"
#include "store/Database.h"
#include "support/TempDir.h"

namespace lh::gui {
namespace {

// Which files are skins and what a skin file says are SkinLookTest's.
TEST(SkinsTest, AChosenSkinColoursThePanesAndIsRememberedByName) {
    test::TempDir dir;
    const QString folder = QString::fromStdString(dir.file("skin"));
    std::filesystem::create_directories(dir.file("skin"));
    test::writeBytes(dir.file("skin/Autumn.INI"),
                     "[List]\nBackColor=10,20,30\nTextColor=200,0,0\nWallPaper=leaves.png\n"
                     "[DetailInfo]\nOddLine=1,1,1\nevenLine=2,2,2\n");
    test::writeBytes(dir.file("skin/big.ini"), "[List]\nBackColor=0,0,255\nWallPaper=huge.png\n");
    test::writeBytes(dir.file("skin/notes.txt"), "");
    ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(folder + "/leaves.png"));
    QImage huge(kMaxWallpaperSide + 1, 1, QImage::Format_Mono);
    huge.fill(0);
    ASSERT_TRUE(huge.save(folder + "/huge.png"));

    settings::AppSettings settings;
    Skins skins(settings, folder);
    std::unique_ptr<QMenu> menu(skins.makeMenu(nullptr));
    QStringList texts;
    for (QAction* a : menu->actions()) {
        texts << a->text();
    }
    EXPECT_EQ(texts, (QStringList{"None", "Autumn", "big"}));

    QListView list;
    skins.choose(1);
    EXPECT_TRUE(menu->actions().at(1)->isChecked());
    EXPECT_EQ(settings.skin, 1);
    EXPECT_EQ(settings.SkinName, "Autumn");
    EXPECT_TRUE(applyPaneLook(list, skins.look().list));
    EXPECT_FALSE(list.palette().base().texture().isNull());  // the picture, tiled
    EXPECT_EQ(list.palette().text().color(), QColor(200, 0, 0));
    store::Database db;
    DetailPane detail(db, settings);
    detail.setSkinLook(skins.look());
    EXPECT_EQ(detail.topLevelItem(1)->foreground(0).color(), QColor(1, 1, 1));
    EXPECT_EQ(detail.topLevelItem(1)->background(0).style(), Qt::NoBrush);

    skins.choose(2);  // a wallpaper too big to take: the colour
    EXPECT_FALSE(applyPaneLook(list, skins.look().list));
    EXPECT_TRUE(list.palette().base().texture().isNull());
    EXPECT_EQ(list.palette().base().color(), QColor(0, 0, 255));

    settings.skin = 7;  // beyond the list, and no name: "None"
    settings.SkinName.clear();
    skins.chooseStored();
    EXPECT_EQ(skins.chosen(), 0u);
    EXPECT_EQ(settings.skin, 0);
    EXPECT_TRUE(menu->actions().at(0)->isChecked());
    detail.setSkinLook(std::nullopt);
    EXPECT_NE(detail.topLevelItem(1)->background(0).style(), Qt::NoBrush);
}

}  // namespace
}  // namespace lh::gui
