#include "mappicture.h"

#include "dataerror.h"
#include "datafiledevice.h"
#include "mapmarker.h"
#include "programfolder.h"
#include "twips.h"
#include "twipsgeometry.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

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

MapPicture::~MapPicture()
{
    // A marker tells its picture when it goes: while the picture is still whole.
    qDeleteAll(findChildren<MapMarker*>(Qt::FindDirectChildrenOnly));
}

std::optional<DataError> MapPicture::load(const QString& pictureName)
{
    if (!ProgramFolder::isBareName(pictureName))
        return DataError{DataError::Kind::UnusableName, pictureName, 0, {}};
    const QString path = ProgramFolder::locate(pictureName);
    if (path.isEmpty())
        return DataError{DataError::Kind::Missing, pictureName, 0, {}};
    // Opened as a data file: a FIFO or device named like the picture is
    // refused instead of waited on.
    auto opened = DataFileDevice::open(path, MaxPictureBytes);
    if (auto* error = std::get_if<DataError>(&opened))
        return *error;
    QImageReader reader(std::get<std::unique_ptr<DataFileDevice>>(opened).get());
    QImage picture = reader.read();
    if (picture.isNull())
        return DataError{DataError::Kind::Unreadable, pictureName, 0, reader.errorString()};
    setPicture(std::move(picture));
    return std::nullopt;
}

void MapPicture::setPicture(QImage picture)
{
    m_shown = QImage();
    m_picture = std::move(picture);
    // A picture without see-through pixels covers its whole area, so the
    // window need not fill the background below it first.
    setAttribute(Qt::WA_OpaquePaintEvent, !m_picture.hasAlphaChannel());
    setScale(m_scale);
}

void MapPicture::setScale(qreal scale)
{
    m_scale = scale;
    // Whole pixels, so that everything placed beside the picture meets its edges.
    const QPoint at = TwipsGeometry::get(this).topLeft();
    const QSize shown(qRound(m_picture.width() * scale), qRound(m_picture.height() * scale));
    TwipsGeometry::set(this,
                       QRect(at, QSize(Twips::fromPixels(shown.width()), Twips::fromPixels(shown.height()))));
    prepareShown();
    update();
}

void MapPicture::prepareShown()
{
    // At its own size the picture is shown as decoded: a paint converts only
    // the pixels it copies, and an 8-bit bitmap stays a quarter of the memory.
    if (m_scale == 1) {
        m_shown = m_picture;
        return;
    }
    const qreal ratio = devicePixelRatioF();
    // The copy of the former scale goes first: one copy per scale, never two.
    m_shown = QImage();
    // Smoothed from 32-bit pixels: several times quicker than from a bitmap's 8 or 24 bits.
    const QImage::Format format =
        m_picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    m_shown = m_picture.convertToFormat(format).scaled((QSizeF(size()) * ratio).toSize(),
                                                       Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_shown.setDevicePixelRatio(ratio);
}

void MapPicture::followScreen()
{
    if (m_scale != 1 && m_shown.devicePixelRatio() != devicePixelRatioF()) {
        prepareShown();
        update();
    }
}

void MapPicture::place(QWidget* piece, const QRect& twips) const
{
    TwipsGeometry::set(piece, twips, m_scale);
}

void MapPicture::place(MapMarker* marker, const QRect& twips) const
{
    marker->place(twips, toPixels(QRectF(twips)));
}

void MapPicture::addMarker(const MapMarker* marker)
{
    m_markers.append(marker);
}

void MapPicture::removeMarker(const MapMarker* marker)
{
    m_markers.removeOne(marker);
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
    // Only the area asked for: a name shown or hidden repaints just the piece below it.
    QPainter painter(this);
    const QRect area = event->rect();
    const qreal ratio = m_shown.devicePixelRatio();
    painter.drawImage(area, m_shown, QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
    for (const MapMarker* marker : std::as_const(m_markers)) {
        if (marker->isVisible() && marker->geometry().intersects(area))
            marker->paint(painter);
    }
}

void MapPicture::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The window's screen is known once it is shown.
    if (QWindow* window = this->window()->windowHandle())
        connect(window, &QWindow::screenChanged, this, &MapPicture::followScreen, Qt::UniqueConnection);
    followScreen();
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
