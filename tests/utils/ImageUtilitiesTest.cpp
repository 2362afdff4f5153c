#include "app/Comm/ImageUtilities.h"

#include <gtest/gtest.h>

namespace {

TEST(ImageUtilitiesTest, ColourComponentsFromDesignValues) {
    const QColor colour = getColor(42, 48, 78, 0.5f);
    EXPECT_EQ(colour.red(), 42);
    EXPECT_EQ(colour.green(), 48);
    EXPECT_EQ(colour.blue(), 78);
    EXPECT_NEAR(colour.alphaF(), 0.5, 0.01);
    EXPECT_EQ(colour.toRgb(), colour); // plain device RGB, not another colour model
    EXPECT_EQ(getColor(255, 255, 255, 1).rgba(), 0xFFFFFFFFu);
    // Out-of-range components are clamped instead of giving an invalid colour.
    const QColor clamped = getColor(300, -4, 128, 2);
    EXPECT_TRUE(clamped.isValid());
    EXPECT_EQ(clamped.red(), 255);
    EXPECT_EQ(clamped.green(), 0);
    EXPECT_EQ(clamped.alpha(), 255);
}

QImage twoBandImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::red);
    for (int y = height / 2; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, Qt::blue);
    return image;
}

TEST(ImageUtilitiesTest, ScalesToOneHundredTwentySquareAndFlipsOnRequest) {
    const QImage source = twoBandImage(512, 256); // red on top, blue below, not square
    const QImage plain = ImageUtilities::get120X120BigImage(source, false, 0.7);
    ASSERT_EQ(plain.size(), QSize(120, 120));
    EXPECT_EQ(plain.pixelColor(60, 5), QColor(Qt::red));
    EXPECT_EQ(plain.pixelColor(60, 114), QColor(Qt::blue));

    const QImage flipped = ImageUtilities::get120X120BigImage(source, true, 0.7);
    ASSERT_EQ(flipped.size(), QSize(120, 120));
    EXPECT_EQ(flipped.pixelColor(60, 5), QColor(Qt::blue));
    EXPECT_EQ(flipped.pixelColor(60, 114), QColor(Qt::red));
    // The source is left as it was.
    EXPECT_EQ(source.size(), QSize(512, 256));
    EXPECT_EQ(source.pixelColor(0, 0), QColor(Qt::red));
}

TEST(ImageUtilitiesTest, HighDensityImagesKeepTheirDensity) {
    QImage source = twoBandImage(64, 64);
    source.setDevicePixelRatio(2.0);
    const QImage result = ImageUtilities::get120X120BigImage(source, false, 0);
    EXPECT_EQ(result.size(), QSize(240, 240));
    EXPECT_EQ(result.deviceIndependentSize(), QSizeF(120, 120));
    EXPECT_TRUE(ImageUtilities::get120X120BigImage(QImage(), true, 0).isNull());
}

} // namespace
