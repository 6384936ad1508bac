#include "gui/dropzone/ClockPictures.h"

#include <gtest/gtest.h>

namespace lh::gui {
namespace {

// A pixel that is neither the key colour nor free of its tint: a smoothed edge left magenta in it.
bool isPink(QRgb c) {
    return c != kKeyColour && qRed(c) - qGreen(c) > 60 && qBlue(c) - qGreen(c) > 60;
}

int countPixels(const QImage& image, const std::function<bool(QRgb)>& test) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += test(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return n;
}

TEST(ClockPicturesTest, FaceAndDaysAreKeyedWithoutPinkEdges) {
    const QImage& face = clockFace();
    ASSERT_EQ(face.size(), QSize(kFaceSize, kFaceSize));
    EXPECT_EQ(face.pixel(0, 0), kKeyColour);
    EXPECT_EQ(face.pixel(85, 85), kKeyColour);
    EXPECT_NE(face.pixel(43, 43), kKeyColour);
    EXPECT_EQ(countPixels(face, isPink), 0);
    const auto opaque = [](QRgb c) { return qAlpha(c) == 255; };
    EXPECT_EQ(countPixels(face, opaque), kFaceSize * kFaceSize);
    for (int day = 1; day <= 31; ++day) {
        const QImage& picture = dayPicture(day);
        ASSERT_EQ(picture.size(), QSize(kDayWidth, kDayHeight));
        EXPECT_EQ(countPixels(picture, isPink), 0) << day;
        EXPECT_GT(countPixels(picture, [](QRgb c) { return c != kKeyColour; }), 20) << day;
    }
    EXPECT_NE(dayPicture(1), dayPicture(31));
    EXPECT_EQ(dayPicture(0), dayPicture(1));

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
