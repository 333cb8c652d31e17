#pragma once

#include <QCursor>
#include <QPixmap>

namespace velmora {

// The two pointers the maps use, painted here: a pointing hand over items and
// a rain cloud in the flood game.
class MapCursors
{
public:
    static constexpr QPoint HandHotSpot{11, 5};
    static constexpr QPoint CloudHotSpot{16, 24};

    static QPixmap handPicture();
    static QPixmap cloudPicture();
    static QCursor hand();
    static QCursor cloud();
};

} // namespace velmora
