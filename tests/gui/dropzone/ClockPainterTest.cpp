#include "gui/dropzone/ClockPainter.h"

#include <gtest/gtest.h>

#include "gui/dropzone/ClockPictures.h"

namespace lh::gui {
namespace {

const HandColours kColours{QColor(0, 0, 200), QColor(0, 200, 0), QColor(200, 0, 0)};

// The picture's pixel over the face's pixel (x, y).
QRgb atFace(const QImage& picture, int x, int y) {
    return picture.pixel(x - 1, y - 1);
}

TEST(ClockPainterTest, HandsReachTheirEndsOnTheFaceShiftedByOnePixel) {
    const QImage noon = clockPicture({2026, 12, 7, 12, 0, 0, 1}, kColours);
    ASSERT_EQ(noon.size(), QSize(kFaceSize, kFaceSize));
    EXPECT_EQ(atFace(noon, 43, 11), kColours.second.rgb());
    EXPECT_EQ(atFace(noon, 43, 16), kColours.minute.rgb());
    EXPECT_EQ(atFace(noon, 43, 23), kColours.hour.rgb());  // drawn last, over the others
    EXPECT_NE(atFace(noon, 43, 9), kColours.second.rgb());

    const QImage later = clockPicture({2026, 12, 7, 3, 30, 45, 1}, kColours);
    EXPECT_EQ(atFace(later, 11, 43), kColours.second.rgb());
    EXPECT_NE(atFace(later, 11, 42), kColours.second.rgb());
    EXPECT_NE(atFace(later, 11, 44), kColours.second.rgb());
    EXPECT_EQ(atFace(later, 43, 70), kColours.minute.rgb());
    EXPECT_EQ(atFace(later, 62, 47), kColours.hour.rgb());  // mark 17
}

// A pixel tinted by the key colour: a smoothed edge left magenta in it.
bool isPink(QRgb c) {
    return c != kKeyColour && qRed(c) - qGreen(c) > 60 && qBlue(c) - qGreen(c) > 60;
}

TEST(ClockPainterTest, ShapeLeavesOutExactlyTheMagentaPixelsAndNoneIsPink) {
    const QRegion shape = clockShape();
    // The 1st and the 31st: the day is drawn, and only at its place.
    const QImage first = clockPicture({2026, 12, 1, 12, 0, 0, 1}, kColours);
    const QImage last = clockPicture({2026, 12, 31, 12, 0, 0, 1}, kColours);
    const QRect dayPlace(kDayLeft - 1, kDayTop - 1, kDayWidth, kDayHeight);
    int changed = 0;
    for (int y = 0; y < kFaceSize; ++y) {
        for (int x = 0; x < kFaceSize; ++x) {
            const bool onFace = x + 1 < kFaceSize && y + 1 < kFaceSize &&
                                clockFace().pixel(x + 1, y + 1) != kKeyColour;
            ASSERT_EQ(shape.contains(QPoint(x, y)), onFace) << x << "," << y;
            ASSERT_EQ(first.pixel(x, y) != kKeyColour, onFace) << x << "," << y;
            ASSERT_FALSE(isPink(last.pixel(x, y))) << x << "," << y;
            if (first.pixel(x, y) != last.pixel(x, y)) {
                ++changed;
                EXPECT_TRUE(dayPlace.contains(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(changed, 20);

    // Twice as dense: the same shape, no fringe of magenta inside it, the hands where they were.
    const QImage dense = clockPicture({2026, 12, 31, 3, 30, 45, 1}, kColours, 2);
    ASSERT_EQ(dense.size(), QSize(2 * kFaceSize, 2 * kFaceSize));
    EXPECT_EQ(dense.devicePixelRatio(), 2.0);
    for (int y = 0; y < dense.height(); ++y) {
        for (int x = 0; x < dense.width(); ++x) {
            ASSERT_EQ(dense.pixel(x, y) != kKeyColour, shape.contains(QPoint(x / 2, y / 2)));
            ASSERT_FALSE(isPink(dense.pixel(x, y)));
        }
    }
    const QRgb second = kColours.second.rgb();
    EXPECT_TRUE(dense.pixel(20, 84) == second || dense.pixel(21, 85) == second);  // (11, 43)

    // Half opacity is the line: below it magenta, from it on laid over the colour given.
    QImage edge(2, 1, QImage::Format_ARGB32);
    edge.setPixel(0, 0, qRgba(255, 0, 0, 127));
    edge.setPixel(1, 0, qRgba(255, 0, 0, 128));
    const QImage keyed = keyedOnMagenta(edge, Qt::white);
    EXPECT_EQ(keyed.pixel(0, 0), kKeyColour);
    EXPECT_EQ(keyed.pixel(1, 0), qRgb(255, 127, 127));
}

}  // namespace
}  // namespace lh::gui
