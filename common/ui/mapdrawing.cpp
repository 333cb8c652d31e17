#include "mapdrawing.h"

#include "fonts.h"
#include "hotspot.h"
#include "mapcursors.h"
#include "mappicture.h"
#include "plaats.h"
#include "twips.h"
#include "twipsgeometry.h"

namespace velmora {
namespace {

QString indexed(QStringView name, int index)
{
    return name.toString() + u'_' + QString::number(index);
}

} // namespace

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

MapDrawing::Look MapDrawing::lookFor(const QString& kind, bool hatchWater)
{
    if (kind == u"d")
        return {MapShape::Form::Circle, QColor(255, 0, 0), false};
    if (kind == u"w")
        return {MapShape::Form::Square, QColor(0, 0, 160), hatchWater};
    if (kind == u"g")
        return {MapShape::Form::Square, QColor(160, 160, 160), false};
    return {MapShape::Form::Square, QColor(255, 0, 0), false};
}

void MapDrawing::applyLook(MapShape* shape, const Look& look)
{
    shape->setForm(look.form);
    shape->setFillColor(look.fill);
    shape->setHatched(look.hatched);
}

QPoint MapDrawing::placeBelow(int left, int top, QSize size, QSize picture, bool keepInside)
{
    int x = left - size.width() / 2 + LabelRight;
    int y = top + LabelDown;
    if (keepInside) {
        // In this order, so that where the box cannot fit its left and top edges win.
        if (x + size.width() > picture.width())
            x = picture.width() - size.width();
        if (y + size.height() > picture.height())
            y = picture.height() - size.height();
        x = std::max(x, 0);
        y = std::max(y, 0);
    }
    return {x, y};
}

void MapDrawing::add(int index, const Plaats& item)
{
    remove(index);
    if (m_items.size() <= index)
        m_items.resize(index + 1);
    Pieces& pieces = m_items[index];

    // Created in stacking order: marker, (label,) hotspot. A new child lies in
    // front of all its siblings, so this is bringing each to the front in turn.
    pieces.marker = new MapShape(m_picture);
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
    if (m_style.labels && !m_style.labelBetween)
        pieces.label = newLabel(index);

    place(index, item);
    pieces.marker->show();
    pieces.hotSpot->show();
}

QLabel* MapDrawing::newLabel(int index)
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
    TwipsGeometry::set(pieces.marker, QRect(item.Left, item.Top, MarkerSize, MarkerSize));
    applyLook(pieces.marker, lookFor(item.kind(), m_style.hatchWater));
    TwipsGeometry::set(pieces.hotSpot, QRect(item.Left - HotSpotOffset, item.Top - HotSpotOffset,
                                             m_style.hotSpot.width(), m_style.hotSpot.height()));
    if (pieces.label) {
        pieces.label->setText(item.Naam);
        // Sized to its text as the label itself would, without polishing every hidden label.
        const QSize px = m_labelMetrics.size(Qt::TextSingleLine, item.Naam);
        const QSize size(Twips::fromPixels(px.width()), Twips::fromPixels(px.height()));
        const QPoint at = placeBelow(item.Left, item.Top, size,
                                     QSize(m_picture->widthTwips(), m_picture->heightTwips()),
                                     m_style.keepLabelsInside);
        TwipsGeometry::set(pieces.label, QRect(at, size));
    }
}

void MapDrawing::remove(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    Pieces& pieces = m_items[index];
    // Removal may come from the clicked hotspot's own handler: out of sight and
    // out of name now, destroyed once that handler has returned.
    for (QWidget* piece : {static_cast<QWidget*>(pieces.label), static_cast<QWidget*>(pieces.hotSpot),
                           static_cast<QWidget*>(pieces.marker)}) {
        if (!piece)
            continue;
        piece->hide();
        piece->setObjectName(QString());
        piece->deleteLater();
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

void MapDrawing::raiseLabels()
{
    for (const Pieces& pieces : std::as_const(m_items)) {
        if (pieces.label)
            pieces.label->raise();
    }
}

MapShape* MapDrawing::marker(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items[index].marker.data() : nullptr;
}

HotSpot* MapDrawing::hotSpot(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items[index].hotSpot.data() : nullptr;
}

QLabel* MapDrawing::label(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items[index].label.data() : nullptr;
}

void MapDrawing::setItemVisible(int index, bool visible)
{
    if (MapShape* shape = marker(index))
        shape->setVisible(visible);
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
