#include "mappicture.h"

#include "dataerror.h"
#include "datafile.h"
#include "programfolder.h"
#include "twips.h"
#include "twipsgeometry.h"

#include <QBuffer>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

namespace velmora {
namespace {
// Far above any school map (a 4000 x 3000 true-colour bitmap is 36 MB).
constexpr qint64 MaxPictureBytes = qint64(256) * 1024 * 1024;
} // namespace

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
    // Read as a data file first: a FIFO or device named like the picture is
    // refused instead of waited on.
    auto bytes = DataFile::read(path, MaxPictureBytes);
    if (auto* error = std::get_if<DataError>(&bytes))
        return *error;
    QBuffer buffer(&std::get<QByteArray>(bytes));
    QImageReader reader(&buffer);
    QImage picture = reader.read();
    if (picture.isNull())
        return DataError{DataError::Kind::Unreadable, pictureName, 0, reader.errorString()};
    setPicture(picture);
    return std::nullopt;
}

void MapPicture::setPicture(const QImage& picture)
{
    m_picture = picture;
    setScale(m_scale);
}

void MapPicture::setScale(qreal scale)
{
    m_scale = scale;
    m_shown = QImage();
    // Whole pixels, so that everything placed beside the picture meets its edges.
    const QPoint at = TwipsGeometry::get(this).topLeft();
    const QSize shown(qRound(m_picture.width() * scale), qRound(m_picture.height() * scale));
    TwipsGeometry::set(this,
                       QRect(at, QSize(Twips::fromPixels(shown.width()), Twips::fromPixels(shown.height()))));
    update();
}

void MapPicture::place(QWidget* piece, const QRect& twips) const
{
    TwipsGeometry::set(piece, twips, m_scale);
}

QRect MapPicture::toPixels(const QRectF& twips) const
{
    return Twips::rect(twips, m_scale);
}

QPoint MapPicture::toTwips(QPointF pixels) const
{
    return (pixels * Twips::PerPixel / m_scale).toPoint();
}

void MapPicture::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    if (m_scale == 1) {
        painter.drawImage(area.topLeft(), m_picture, area);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const QSize device = (QSizeF(size()) * ratio).toSize();
    if (m_shown.size() != device) {
        // Smoothed from 32-bit pixels: several times quicker than from a bitmap's 8 or 24 bits.
        const QImage::Format format =
            m_picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
        m_shown =
            m_picture.convertToFormat(format).scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_shown.setDevicePixelRatio(ratio);
    }
    painter.drawImage(area, m_shown, QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
}

void MapPicture::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = toTwips(event->position());
    Q_EMIT pressed(at.x(), at.y(), event->button());
}

void MapPicture::mouseMoveEvent(QMouseEvent* event)
{
    // Also the movement over a label, which passes it on to the picture.
    const QPoint at = toTwips(event->position());
    Q_EMIT moved(at.x(), at.y());
}

} // namespace velmora
