#include "mapshape.h"

#include <QPainter>

namespace velmora {

MapShape::MapShape(QWidget* parent) : QWidget(parent)
{
    // Shapes only show themselves; clicks go to the hotspot or picture below.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MapShape::setForm(Form form)
{
    m_form = form;
    update();
}

void MapShape::setFillColor(const QColor& color)
{
    m_fill = color;
    update();
}

void MapShape::setOutlineColor(const QColor& color)
{
    m_outline = color;
    update();
}

void MapShape::setHatched(bool hatched)
{
    m_hatched = hatched;
    update();
}

void MapShape::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    QPainter painter(this);
    const bool round = m_form != Form::Square;
    painter.setRenderHint(QPainter::Antialiasing, round);
    painter.setPen(QPen(m_outline, 1));
    painter.setBrush(QBrush(m_fill, m_hatched ? Qt::DiagCrossPattern : Qt::SolidPattern));
    QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (m_form == Form::Circle) {
        const qreal side = std::min(area.width(), area.height());
        area = QRectF(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
    }
    if (round)
        painter.drawEllipse(area);
    else
        painter.drawRect(area);
}

} // namespace velmora
