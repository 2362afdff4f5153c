#include "app/Comm/ImageUtilities.h"

#include <algorithm>
#include <cmath>

namespace {
float clampUnit(float value) {
    return std::isnan(value) ? 0.0f : std::clamp(value, 0.0f, 1.0f);
}
} // namespace

QColor getColor(float red, float green, float blue, float alpha) {
    return QColor::fromRgbF(clampUnit(red / 255.0f), clampUnit(green / 255.0f),
                            clampUnit(blue / 255.0f), clampUnit(alpha));
}

QImage ImageUtilities::get120X120BigImage(const QImage& image, bool flipFlag,
                                          double /*amountReflected*/) {
    if (image.isNull())
        return {};
    constexpr int kSide = 120;
    const qreal ratio = image.devicePixelRatio();
    const int pixels = qMax(1, qRound(kSide * ratio));
    QImage result = image.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (flipFlag)
        result = std::move(result).mirrored(false, true);
    result.setDevicePixelRatio(ratio);
    return result;
}
