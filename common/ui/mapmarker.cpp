#include "mapmarker.h"

#include "mappicture.h"

#include <QPainter>

namespace velmora {

MapMarker::MapMarker(MapPicture* picture) : QObject(picture), m_picture(picture)
{
    m_picture->addMarker(this);
}

MapMarker::~MapMarker()
{
    m_picture->removeMarker(this);
    repaint(m_geometry);
}

void MapMarker::place(const QRect& twips, const QRect& pixels)
{
    m_twips = twips;
    if (pixels == m_geometry)
        return;
    repaint(m_geometry | pixels);
    m_geometry = pixels;
}

void MapMarker::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    m_picture->update(m_geometry);
}

void MapMarker::setLook(const MapShape::Look& look)
{
    m_look = look;
    repaint(m_geometry);
}

void MapMarker::paint(QPainter& painter) const
{
    // Drawn from its own corner, so that a hatch lies on it as on a shape of its own.
    painter.translate(m_geometry.topLeft());
    MapShape::draw(painter, QRect(QPoint(0, 0), m_geometry.size()), m_look);
    painter.translate(-m_geometry.topLeft());
}

void MapMarker::repaint(const QRect& area) const
{
    if (m_visible)
        m_picture->update(area);
}

} // namespace velmora
