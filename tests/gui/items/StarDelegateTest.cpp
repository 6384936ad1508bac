#include "gui/items/StarDelegate.h"

#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyleOptionViewItem>

#include <gtest/gtest.h>

#include <vector>

#include "gui/items/ItemListModel.h"

namespace lh::gui {
namespace {

using Spots = std::vector<StarSpot>;

TEST(StarDelegateTest, StarsFitTheCellFourteenPixelsApart) {
    // Which rates show how many stars is ItemTextsTest's.
    EXPECT_EQ(StarDelegate::starSpots(10, 200, 1),
              (Spots{{10, true}, {24, false}, {38, false}, {52, false}, {66, false}}));
    EXPECT_EQ(StarDelegate::starSpots(0, 43, 3), (Spots{{0, true}, {14, true}, {28, true}}));
    EXPECT_EQ(StarDelegate::starSpots(0, 42, 3), (Spots{{0, true}, {14, true}}));
    EXPECT_TRUE(StarDelegate::starSpots(5, 19, 5).empty());
}

// Counts the pixels painted in a white picture.
int paintedPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
        }
    }
    return count;
}

TEST(StarDelegateTest, PaintsStarsOnlyWhereTheyFitAndGridLinesOnRequest) {
    QStandardItemModel model(1, 2);
    model.setData(model.index(0, 0), 3, ItemListModel::kStarsRole);
    StarDelegate delegate;
    const auto paint = [&](int column, int width) {
        QImage image(100, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, width, 20);
        option.palette.setColor(QPalette::Mid, Qt::black);
        delegate.paint(&painter, option, model.index(0, column));
        painter.end();
        return paintedPixels(image);
    };
    EXPECT_GT(paint(0, 80), paint(0, 30));
    EXPECT_GT(paint(0, 30), 0);
    EXPECT_EQ(paint(0, 13), 0) << "a cell narrower than a star";
    EXPECT_EQ(paint(1, 80), 0) << "no stars outside the rate column";
    delegate.setGridLines(true);
    EXPECT_EQ(paint(1, 80), 80 + 20 - 1);
}

}  // namespace
}  // namespace lh::gui
