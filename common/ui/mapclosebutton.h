#pragma once

#include <QList>
#include <QRect>

class QWidget;

namespace velmora {

// "Sluiten" of the map windows. It stands at its own place at the top right,
// unless the picture (or the legend column) reaches under it: then it moves
// into the column beside the picture, so that it never covers a map item and
// is never covered itself.
class MapCloseButton
{
public:
    static constexpr QRect Place{13320, 1080, 1695, 495}; // twips
    static constexpr int Gap = 120;

    // `column` are the pieces already placed beside the picture (legend, counters).
    static void place(QWidget* button, const QWidget* picture, const QList<const QWidget*>& column);
};

} // namespace velmora
