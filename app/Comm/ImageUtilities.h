#pragma once

#include <QColor>
#include <QImage>

// A colour from components as the designs give them: red, green and blue in 0–255, alpha in 0–1.
// Components outside their range are clamped.
QColor getColor(float red, float green, float blue, float alpha);

class ImageUtilities {
public:
    ImageUtilities() = delete;

    // IMAGE scaled to 120 × 120 device-independent pixels (stretched when it is not square),
    // flipped top to bottom when FLIPFLAG is set. AMOUNTREFLECTED is accepted and ignored.
    static QImage get120X120BigImage(const QImage& image, bool flipFlag, double amountReflected);
};
