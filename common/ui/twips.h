#pragma once

#include <QPoint>
#include <QRect>
#include <QRectF>

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
    // Shown at a display scale (a map on a smaller screen): the nearest pixel
    // again, so that at scale 1 this is the rule above.
    static int toPixels(qreal twips, qreal scale) { return qRound(twips * scale / PerPixel); }
    static QRect rect(const QRectF& twips, qreal scale)
    {
        return QRect(toPixels(twips.left(), scale), toPixels(twips.top(), scale),
                     toPixels(twips.width(), scale), toPixels(twips.height(), scale));
    }
};

} // namespace velmora
