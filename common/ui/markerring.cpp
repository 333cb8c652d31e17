#include "markerring.h"

#include <QPainter>

namespace velmora {

MarkerRing::MarkerRing(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void MarkerRing::surround(const QWidget* marker)
{
    setGeometry(marker->geometry().adjusted(-Margin, -Margin, Margin, Margin));
    raise();
    show();
}

void MarkerRing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const QRectF area = QRectF(rect()).adjusted(3, 3, -3, -3);
    painter.setPen(QPen(Qt::white, 6));
    painter.drawEllipse(area);
    painter.setPen(QPen(QColor(176, 0, 0), 4));
    painter.drawEllipse(area);
}

} // namespace velmora
