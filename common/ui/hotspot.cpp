#include "hotspot.h"

#include "mapcursors.h"

#include <QMouseEvent>

namespace velmora {

HotSpot::HotSpot(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setCursor(MapCursors::hand());
}

void HotSpot::mousePressEvent(QMouseEvent* event)
{
    // Taken here, so a press on an item never reaches the picture below.
    m_pressed = event->button();
    m_secondOfDouble = false;
    event->accept();
}

void HotSpot::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt sends the second press of a double-click as this event instead.
    m_pressed = event->button();
    m_secondOfDouble = true;
    event->accept();
}

void HotSpot::mouseReleaseEvent(QMouseEvent* event)
{
    const Qt::MouseButton button = event->button();
    const bool inside = rect().contains(event->position().toPoint());
    event->accept();
    if (button != m_pressed)
        return;
    m_pressed = Qt::NoButton;
    if (inside)
        Q_EMIT clicked(button, m_secondOfDouble);
}

void HotSpot::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    Q_EMIT moved();
}

} // namespace velmora
