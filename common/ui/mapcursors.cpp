#include "mapcursors.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>

namespace velmora {
namespace {

constexpr int Side = 32;

QPixmap blank()
{
    QPixmap picture(Side, Side);
    picture.fill(Qt::transparent);
    return picture;
}

struct SharedCursors
{
    QCursor hand;
    QCursor cloud;
};

SharedCursors*& sharedSlot()
{
    static SharedCursors* cursors = nullptr;
    return cursors;
}

// Painted once and shared by every item; released with the application,
// since a pixmap must not outlive it.
const SharedCursors& shared()
{
    SharedCursors*& cursors = sharedSlot();
    if (!cursors) {
        cursors = new SharedCursors{
            QCursor(MapCursors::handPicture(), MapCursors::HandHotSpot.x(), MapCursors::HandHotSpot.y()),
            QCursor(MapCursors::cloudPicture(), MapCursors::CloudHotSpot.x(), MapCursors::CloudHotSpot.y())};
        qAddPostRoutine([] {
            delete sharedSlot();
            sharedSlot() = nullptr;
        });
    }
    return *cursors;
}

} // namespace

QPixmap MapCursors::handPicture()
{
    QPixmap picture = blank();
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    // The index finger points up; its tip is the hot spot (11, 5).
    QPainterPath hand;
    hand.moveTo(9, 6);
    hand.arcTo(QRectF(9, 4, 4, 4), 180, -180);
    hand.lineTo(13, 14);
    hand.arcTo(QRectF(13, 12, 4, 4), 180, -180);
    hand.lineTo(17, 15);
    hand.arcTo(QRectF(17, 13, 4, 4), 180, -180);
    hand.lineTo(21, 16);
    hand.arcTo(QRectF(21, 14, 4, 4), 180, -180);
    hand.lineTo(25, 23);
    hand.quadTo(25, 28, 21, 29);
    hand.lineTo(12, 29);
    hand.quadTo(8, 26, 4, 19);
    hand.quadTo(4, 16, 7, 17);
    hand.lineTo(9, 19);
    hand.closeSubpath();
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(Qt::white);
    painter.drawPath(hand);
    painter.setPen(QPen(Qt::black, 0.8));
    for (qreal x : {13.0, 17.0, 21.0})
        painter.drawLine(QPointF(x, 16), QPointF(x, 20));
    return picture;
}

QPixmap MapCursors::cloudPicture()
{
    QPixmap picture = blank();
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath cloud;
    cloud.addEllipse(QRectF(3, 9, 11, 10));
    cloud.addEllipse(QRectF(9, 4, 14, 13));
    cloud.addEllipse(QRectF(18, 8, 11, 11));
    cloud.addRoundedRect(QRectF(5, 12, 22, 8), 4, 4);
    painter.setPen(QPen(QColor(90, 90, 110), 1.2));
    painter.setBrush(Qt::white);
    painter.drawPath(cloud.simplified());
    // Drops under the cloud; the middle one falls on the hot spot.
    painter.setPen(QPen(QColor(0, 0, 255), 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(10, 22), QPointF(9, 25));
    painter.drawLine(QPointF(16, 21), QPointF(16, 24));
    painter.drawLine(QPointF(22, 22), QPointF(21, 25));
    return picture;
}

QCursor MapCursors::hand()
{
    return shared().hand;
}

QCursor MapCursors::cloud()
{
    return shared().cloud;
}

} // namespace velmora
