#include "mapclosebutton.h"

#include "maplegend.h"
#include "twipsgeometry.h"

#include <QWidget>

namespace velmora {

void MapCloseButton::place(QWidget* button, const QWidget* picture, const QList<const QWidget*>& column)
{
    const QRect pictureTwips = TwipsGeometry::get(picture);
    QRect columnTwips;
    for (const QWidget* piece : column)
        columnTwips |= TwipsGeometry::get(piece);
    QRect spot = Place;
    if (spot.intersects(pictureTwips) || spot.intersects(columnTwips)) {
        // The legend's column, level with the picture's top; below the column
        // when a short picture leaves no room above the legend.
        spot.moveTo(pictureTwips.width() + MapLegend::PictureGap, pictureTwips.top());
        if (!columnTwips.isNull() && spot.bottom() + Gap > columnTwips.top())
            spot.moveTop(columnTwips.bottom() + 1 + Gap);
    }
    TwipsGeometry::set(button, spot);
    button->raise();
}

} // namespace velmora
