#pragma once

#include <QList>
#include <QObject>
#include <QPointF>

namespace velmora {
class MapDrawing;
class MapPicture;
class MarkerRing;
} // namespace velmora

namespace korvel {

// The places on the map by keyboard, for a pupil without a mouse. The
// picture takes the focus; arrow keys move a focus frame to the nearest shown
// place in that direction, Tab and Shift+Tab go through the places in reading
// order and leave the map after the last, and Enter or Space answers for the
// framed place as a click on its hotspot does.
class PlaceKeys : public QObject
{
    Q_OBJECT
public:
    PlaceKeys(velmora::MapDrawing* drawing, velmora::MapPicture* picture, QObject* parent = nullptr);

    // The framed place, 0 when none.
    int focused() const { return m_focused; }
    // A new map, or the same one opened for another activity: no place is framed.
    void reset(bool namesSpoken);
    // The places moved (another scale) or something was laid over them.
    void follow();

Q_SIGNALS:
    void focusMoved(int index);
    void answered(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The shown places, top row first, each row from left to right.
    QList<int> readingOrder() const;
    QPointF centre(int index) const;
    int nearest(QPointF direction) const;
    // False when Tab or Shift+Tab goes past the last place, off the map.
    bool step(bool forward);
    void focusPlace(int index);
    void unframe();

    velmora::MapDrawing* m_drawing;
    velmora::MapPicture* m_picture;
    velmora::MarkerRing* m_frame;
    int m_focused = 0;
    // A place is spoken by its name only where the name is no answer.
    bool m_namesSpoken = false;
};

} // namespace korvel
