#include "mapdrawing.h"

#include "fonts.h"
#include "hotspot.h"
#include "mapcursors.h"
#include "mapmarker.h"
#include "mappicture.h"
#include "twips.h"
#include "twipsgeometry.h"

#include <QLabel>
#include <QtMath>

#include <algorithm>

namespace velmora {
namespace {

QString indexed(QStringView name, int index)
{
    return name.toString() + u'_' + QString::number(index);
}

// Grown around its middle to `least` twips where it is narrower or lower.
QRect grownTo(QRect twips, int least)
{
    const int wider = std::max(0, least - twips.width());
    const int higher = std::max(0, least - twips.height());
    return twips.adjusted(-wider / 2, -higher / 2, wider - wider / 2, higher - higher / 2);
}

} // namespace

MapShape::Look MapDrawing::look(ItemKind kind, bool hatchWater, bool swatch)
{
    const ItemKind::Rgb fill = swatch ? kind.swatchFill() : kind.markerFill();
    MapShape::Look look;
    look.form = kind.shape() == ItemKind::Shape::Circle ? MapShape::Form::Circle : MapShape::Form::Square;
    look.fill = QColor(fill.red, fill.green, fill.blue);
    look.hatched = hatchWater && kind.isWater();
    return look;
}

MapDrawing::MapDrawing(MapPicture* picture, const MapDrawingStyle& style, QObject* parent)
    : QObject(parent), m_picture(picture), m_style(style), m_hotSpotCursor(MapCursors::hand()),
      m_labelMetrics(Fonts::msSansSerif(9.75, true))
{
    if (m_style.labels) {
        // Set once on the picture and inherited by every label: far cheaper
        // than a font and palette per label on a map of 500 items.
        m_picture->setFont(Fonts::msSansSerif(9.75, true));
        QPalette palette = m_picture->palette();
        palette.setColor(QPalette::Window, Qt::white);
        palette.setColor(QPalette::WindowText, Qt::black);
        m_picture->setPalette(palette);
    }
}

void MapDrawing::placeBelow(QWidget* box, int left, int top, QSize size, bool keepInside) const
{
    const QPoint at = Twips::placeBelow(left, top, size, TwipsGeometry::get(m_picture).size(), keepInside,
                                        m_picture->scale());
    TwipsGeometry::set(box, QRect(at, size));
}

void MapDrawing::add(int index, const Plaats& item)
{
    remove(index);
    if (m_items.size() <= index)
        m_items.resize(index + 1);
    Pieces& pieces = m_items[index];

    // The marker is drawn by the picture, above older markers and below every widget. The
    // widgets are created in stacking order: (the print view's label,) hotspot. A new child
    // lies in front of all its siblings, so this is bringing each to the front in turn.
    pieces.marker = new MapMarker(m_picture);
    pieces.marker->setObjectName(indexed(u"shpPlaatsSml", index));
    if (m_style.labels && m_style.labelBetween)
        pieces.label = newLabel(index);
    pieces.hotSpot = new HotSpot(m_picture);
    pieces.hotSpot->setObjectName(indexed(u"HotSpot", index));
    pieces.hotSpot->setCursor(m_hotSpotCursor);
    connect(pieces.hotSpot, &HotSpot::clicked, this,
            [this, index](Qt::MouseButton button, bool secondOfDouble) {
                Q_EMIT hotSpotClicked(index, button, secondOfDouble);
            });
    connect(pieces.hotSpot, &HotSpot::moved, this, [this, index] { Q_EMIT hotSpotMoved(index); });

    place(index, item);
    pieces.hotSpot->show();
}

QLabel* MapDrawing::newLabel(int index) const
{
    auto* label = new QLabel(m_picture);
    label->setObjectName(indexed(u"lblPlaats", index));
    label->setAutoFillBackground(true);
    label->setMouseTracking(true);
    label->hide();
    return label;
}

void MapDrawing::update(int index, const Plaats& item)
{
    if (has(index))
        place(index, item);
}

void MapDrawing::place(int index, const Plaats& item)
{
    Pieces& pieces = m_items[index];
    pieces.item = item;
    // Where the scale would make them smaller, markers stay visible and hotspots easy to hit.
    const auto least = [this](int pixels) { return qCeil(pixels * Twips::PerPixel / m_picture->scale()); };
    m_picture->place(pieces.marker,
                     grownTo(QRect(item.Left, item.Top, ItemKind::MarkerSize, ItemKind::MarkerSize),
                             least(LeastMarkerPixels)));
    pieces.marker->setLook(look(item.kind(), m_style.hatchWater));
    m_picture->place(pieces.hotSpot, grownTo(QRect(item.Left - HotSpotOffset, item.Top - HotSpotOffset,
                                                   m_style.hotSpot.width(), m_style.hotSpot.height()),
                                             least(LeastHotSpotPixels)));
    if (pieces.label)
        placeLabel(index);
}

void MapDrawing::placeLabel(int index) const
{
    const Pieces& pieces = m_items[index];
    pieces.label->setText(pieces.item.Naam);
    // Sized to its text as the label itself would, without polishing it.
    const QSize px = m_labelMetrics.size(Qt::TextSingleLine, pieces.item.Naam);
    placeBelow(pieces.label, pieces.item.Left, pieces.item.Top,
               QSize(Twips::fromPixels(px.width()), Twips::fromPixels(px.height())),
               m_style.keepLabelsInside);
}

void MapDrawing::remove(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    Pieces& pieces = m_items[index];
    // Removal may come from the clicked hotspot's own handler: out of sight and
    // out of name now, destroyed once that handler has returned.
    for (QWidget* piece : {static_cast<QWidget*>(pieces.label), static_cast<QWidget*>(pieces.hotSpot)}) {
        if (!piece)
            continue;
        piece->hide();
        piece->setObjectName(QString());
        piece->deleteLater();
    }
    if (pieces.marker) {
        pieces.marker->setVisible(false);
        pieces.marker->setObjectName(QString());
        pieces.marker->deleteLater();
    }
    pieces = Pieces{};
    while (!m_items.isEmpty() && !m_items.last().marker)
        m_items.removeLast();
}

void MapDrawing::clear()
{
    for (int i = highestIndex(); i >= 0; --i)
        remove(i);
}

bool MapDrawing::setScale(qreal scale)
{
    if (scale == m_picture->scale())
        return false;
    m_picture->setScale(scale);
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items[i].marker)
            place(i, m_items[i].item);
    }
    return true;
}

void MapDrawing::raiseLabels()
{
    for (const Pieces& pieces : std::as_const(m_items)) {
        if (pieces.label)
            pieces.label->raise();
    }
}

MapMarker* MapDrawing::marker(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items[index].marker.data() : nullptr;
}

HotSpot* MapDrawing::hotSpot(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items[index].hotSpot.data() : nullptr;
}

QLabel* MapDrawing::label(int index) const
{
    if (!m_style.labels || !has(index))
        return nullptr;
    const Pieces& pieces = m_items[index];
    if (!pieces.label) {
        // Made above every marker and hotspot, as a new child is.
        pieces.label = newLabel(index);
        placeLabel(index);
    }
    return pieces.label;
}

QString MapDrawing::name(int index) const
{
    return has(index) ? m_items[index].item.Naam : QString();
}

void MapDrawing::setItemVisible(int index, bool visible)
{
    if (MapMarker* shown = marker(index))
        shown->setVisible(visible);
    if (HotSpot* spot = hotSpot(index))
        spot->setVisible(visible);
}

void MapDrawing::hideLabels()
{
    for (const Pieces& pieces : std::as_const(m_items)) {
        if (pieces.label)
            pieces.label->hide();
    }
}

void MapDrawing::hideLabelsAwayFrom(int xTwips, int yTwips)
{
    for (const Pieces& pieces : std::as_const(m_items)) {
        if (pieces.label && !TwipsGeometry::get(pieces.hotSpot).contains(xTwips, yTwips))
            pieces.label->hide();
    }
}

void MapDrawing::showLabel(int index)
{
    if (QLabel* shown = label(index))
        shown->show();
}

void MapDrawing::setHotSpotCursor(const QCursor& cursor)
{
    m_hotSpotCursor = cursor;
    for (const Pieces& pieces : std::as_const(m_items)) {
        if (pieces.hotSpot)
            pieces.hotSpot->setCursor(cursor);
    }
}

} // namespace velmora
