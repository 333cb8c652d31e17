#include "mapshape.h"

#include <QPainter>

namespace velmora {

MapShape::MapShape(QWidget* parent) : QWidget(parent)
{
    // Shapes only show themselves; clicks go to the hotspot or picture below.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MapShape::setLook(const Look& look)
{
    m_look = look;
    update();
}

void MapShape::setForm(Form form)
{
    m_look.form = form;
    update();
}

void MapShape::setFillColor(const QColor& color)
{
    m_look.fill = color;
    update();
}

void MapShape::setOutlineColor(const QColor& color)
{
    m_look.outline = color;
    update();
}

void MapShape::setHatched(bool hatched)
{
    m_look.hatched = hatched;
    update();
}

void MapShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    draw(painter, rect(), m_look);
}

void MapShape::draw(QPainter& painter, const QRect& area, const Look& look)
{
    if (area.width() <= 0 || area.height() <= 0)
        return;
    const bool round = look.form != Form::Square;
    painter.setRenderHint(QPainter::Antialiasing, round);
    painter.setPen(QPen(look.outline, 1));
    painter.setBrush(QBrush(look.fill, look.hatched ? Qt::DiagCrossPattern : Qt::SolidPattern));
    QRectF shape = QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5);
    if (look.form == Form::Circle) {
        const qreal side = std::min(shape.width(), shape.height());
        shape = QRectF(shape.center().x() - side / 2, shape.center().y() - side / 2, side, side);
    }
    if (round)
        painter.drawEllipse(shape);
    else
        painter.drawRect(shape);
}

} // namespace velmora
