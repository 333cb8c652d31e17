#include "mappicture.h"

#include "dataerror.h"
#include "programfolder.h"
#include "twips.h"
#include "twipsgeometry.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

namespace velmora {

MapPicture::MapPicture(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture1"));
    setMouseTracking(true);
}

std::optional<DataError> MapPicture::load(const QString& pictureName)
{
    if (!ProgramFolder::isBareName(pictureName))
        return DataError{DataError::Kind::UnusableName, pictureName, 0, {}};
    const QString path = ProgramFolder::locate(pictureName);
    if (path.isEmpty())
        return DataError{DataError::Kind::Missing, pictureName, 0, {}};
    QImageReader reader(path);
    QImage picture = reader.read();
    if (picture.isNull())
        return DataError{DataError::Kind::Unreadable, pictureName, 0, reader.errorString()};
    setPicture(picture);
    return std::nullopt;
}

void MapPicture::setPicture(const QImage& picture)
{
    m_picture = picture;
    const QRect twips = TwipsGeometry::get(this);
    TwipsGeometry::set(this, QRect(twips.left(), twips.top(), Twips::fromPixels(picture.width()),
                                   Twips::fromPixels(picture.height())));
    update();
}

int MapPicture::widthTwips() const
{
    return TwipsGeometry::get(this).width();
}

int MapPicture::heightTwips() const
{
    return TwipsGeometry::get(this).height();
}

void MapPicture::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawImage(area.topLeft(), m_picture, area);
}

void MapPicture::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    Q_EMIT pressed(Twips::fromPixels(at.x()), Twips::fromPixels(at.y()), event->button());
}

void MapPicture::mouseMoveEvent(QMouseEvent* event)
{
    // Also the movement over a label, which passes it on to the picture.
    const QPoint at = event->position().toPoint();
    Q_EMIT moved(Twips::fromPixels(at.x()), Twips::fromPixels(at.y()));
}

} // namespace velmora
