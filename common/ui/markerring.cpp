#include "markerring.h"

#include <QPainter>

namespace velmora {

MarkerRing::MarkerRing(Look look, QWidget* parent) : QWidget(parent), m_look(look)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void MarkerRing::surround(const QRect& marker)
{
    setGeometry(marker.adjusted(-Margin, -Margin, Margin, Margin));
    raise();
    show();
}

void MarkerRing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const QRectF area = QRectF(rect()).adjusted(3, 3, -3, -3);
    // A light and a dark colour: one of the two stands out on any map.
    const bool focus = m_look == Look::Focus;
    const auto draw = [&](const QColor& colour, int width) {
        painter.setPen(QPen(colour, width));
        if (focus)
            painter.drawRoundedRect(area, 3, 3);
        else
            painter.drawEllipse(area);
    };
    draw(focus ? Qt::black : Qt::white, 6);
    draw(focus ? QColor(255, 221, 0) : QColor(176, 0, 0), focus ? 2 : 4);
}

} // namespace velmora
