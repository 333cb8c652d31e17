#pragma once

#include <QPoint>
#include <QRect>

#include <cmath>

namespace velmora {

// Positions on maps, in windows and on paper are twips; on screen one logical
// pixel is always 15 twips, so stored map positions meet the picture everywhere.
class Twips
{
public:
    static constexpr int PerPixel = 15;

    static constexpr int toPixels(int twips)
    {
        // Nearest pixel, halves away from zero, the same for negative positions.
        return twips >= 0 ? (twips + PerPixel / 2) / PerPixel : -((-twips + PerPixel / 2) / PerPixel);
    }
    static constexpr int fromPixels(int pixels) { return pixels * PerPixel; }
    static QRect rect(int left, int top, int width, int height)
    {
        return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
    }
};

} // namespace velmora
