#pragma once

#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>

#include <algorithm>

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

    // Top-left corner of a box of `size` (a label, an editor's panel) placed
    // below a map marker at (left, top) on a picture shown at `scale`:
    // centred under it, optionally pulled inside the picture as shown, of
    // `picture` size. Twips as shown.
    static QPoint placeBelow(int left, int top, QSize size, QSize picture, bool keepInside, qreal scale = 1)
    {
        int x = qRound((left + BelowRight) * scale) - size.width() / 2;
        int y = qRound((top + BelowDown) * scale);
        if (keepInside) {
            // In this order, so that where the box cannot fit its left and top edges win.
            if (x + size.width() > picture.width())
                x = picture.width() - size.width();
            if (y + size.height() > picture.height())
                y = picture.height() - size.height();
            x = std::max(x, 0);
            y = std::max(y, 0);
        }
        return {x, y};
    }

private:
    // Where a box below a marker hangs from, from the marker's corner.
    static constexpr int BelowDown = 260;
    static constexpr int BelowRight = 155;
};

} // namespace velmora
