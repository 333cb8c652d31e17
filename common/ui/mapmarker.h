#pragma once

#include "mapshape.h"

#include <QObject>
#include <QRect>

namespace velmora {

class MapPicture;

// One item's marker, drawn by its map picture above the map and below every
// widget on it. Not a widget of its own: a map of 500 items opens and paints
// far quicker without 500 of them. Named like a control (shpPlaatsSml_3), it
// is found as a child of the picture.
class MapMarker : public QObject
{
    Q_OBJECT
public:
    explicit MapMarker(MapPicture* picture);
    ~MapMarker() override;

    // Where it is drawn, in pixels of the picture as shown.
    QRect geometry() const { return m_geometry; }
    // Where it was placed, in map twips.
    QRect twips() const { return m_twips; }
    void place(const QRect& twips, const QRect& pixels);

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);
    const MapShape::Look& look() const { return m_look; }
    void setLook(const MapShape::Look& look);

    void paint(QPainter& painter) const;

private:
    void repaint(const QRect& area) const;

    MapPicture* m_picture;
    QRect m_twips;
    QRect m_geometry;
    bool m_visible = true;
    MapShape::Look m_look;
};

} // namespace velmora
