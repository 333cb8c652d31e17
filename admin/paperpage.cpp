#include "paperpage.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace korveladmin {
namespace {
constexpr qreal TwipsPerInch = 1440.0;
constexpr qreal TwipsPerPoint = 20.0;
} // namespace

void PaperPage::fit(QPainter& painter, const QRect& layoutTwips, Qt::Alignment alignment)
{
    const QPaintDevice* device = painter.device();
    const qreal perTwipX = device->logicalDpiX() / TwipsPerInch;
    const qreal perTwipY = device->logicalDpiY() / TwipsPerInch;
    const qreal scale = std::min({1.0, device->width() / (layoutTwips.width() * perTwipX),
                                  device->height() / (layoutTwips.height() * perTwipY)});
    const qreal spare = device->width() - layoutTwips.width() * perTwipX * scale;
    painter.resetTransform();
    if (alignment & Qt::AlignHCenter)
        painter.translate(spare / 2, 0);
    painter.scale(perTwipX * scale, perTwipY * scale);
    painter.translate(-layoutTwips.topLeft());
}

QFont PaperPage::inTwips(const QFont& font)
{
    QFont scaled = font;
    scaled.setPixelSize(qRound(font.pointSizeF() * TwipsPerPoint));
    return scaled;
}

void PaperPage::text(QPainter& painter, const QRect& box, const QString& text, const QFont& font,
                     std::optional<QColor> background)
{
    painter.save();
    if (background)
        painter.fillRect(box, *background);
    painter.setClipRect(box, Qt::IntersectClip);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter.restore();
}

} // namespace korveladmin
