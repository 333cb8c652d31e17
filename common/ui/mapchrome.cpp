#include "mapchrome.h"

#include "controls.h"
#include "mapclosebutton.h"
#include "mappicture.h"
#include "twipsgeometry.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace velmora {

MapChrome MapChrome::build(QWidget* window, QLabel* status)
{
    auto* frame = new QFrame(window);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    TwipsGeometry::set(frame, QRect(240, 120, 14895, 855));
    status->setParent(frame);
    status->setObjectName(QStringLiteral("lblStatus"));
    TwipsGeometry::set(status, QRect(120, 240, 14655, 615));

    auto* picture = new MapPicture(window);
    TwipsGeometry::move(picture, 240, 1080);

    QPushButton* close = Controls::button(QStringLiteral("cmdClose"), QStringLiteral("Sluiten"), window);
    // Enter in one of the window's boxes must not close it.
    close->setAutoDefault(false);
    TwipsGeometry::set(close, MapCloseButton::Place);
    return {picture, close};
}

} // namespace velmora
