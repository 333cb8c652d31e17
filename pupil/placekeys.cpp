#include "placekeys.h"

#include "hotspot.h"
#include "mapdrawing.h"
#include "mapmarker.h"
#include "mappicture.h"
#include "markerring.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>

using namespace velmora;

namespace korvel {
namespace {

const QString MapName = QStringLiteral("Kaart");

} // namespace

PlaceKeys::PlaceKeys(MapDrawing* drawing, MapPicture* picture, QObject* parent)
    : QObject(parent), m_drawing(drawing), m_picture(picture),
      m_frame(new MarkerRing(MarkerRing::Look::Focus, picture))
{
    m_frame->setObjectName(QStringLiteral("FocusFrame"));
    m_picture->setFocusPolicy(Qt::StrongFocus);
    m_picture->setAccessibleName(MapName);
    m_picture->installEventFilter(this);
}

void PlaceKeys::reset(bool namesSpoken)
{
    m_namesSpoken = namesSpoken;
    unframe();
}

void PlaceKeys::unframe()
{
    m_focused = 0;
    m_frame->hide();
    m_picture->setAccessibleName(MapName);
}

void PlaceKeys::follow()
{
    if (m_focused && m_drawing->has(m_focused) && m_picture->hasFocus())
        m_frame->surround(m_drawing->marker(m_focused)->geometry());
}

QPointF PlaceKeys::centre(int index) const
{
    return QRectF(m_drawing->marker(index)->geometry()).center();
}

QList<int> PlaceKeys::readingOrder() const
{
    QList<int> places;
    for (int index = 1; index <= m_drawing->highestIndex(); ++index) {
        const HotSpot* spot = m_drawing->hotSpot(index);
        if (spot && spot->isVisibleTo(m_picture))
            places.append(index);
    }
    // Rows as high as a hotspot, so that places side by side read left to right.
    const auto row = [this](int index) {
        return int(centre(index).y()) / std::max(1, m_drawing->hotSpot(index)->height());
    };
    std::stable_sort(places.begin(), places.end(), [&](int a, int b) {
        return std::pair(row(a), centre(a).x()) < std::pair(row(b), centre(b).x());
    });
    return places;
}

int PlaceKeys::nearest(QPointF direction) const
{
    const QList<int> places = readingOrder();
    if (!m_focused || !places.contains(m_focused))
        return places.value(0);
    // Within 45 degrees of the arrow before anything merely on its side;
    // sideways distance weighs double, as the eye follows the arrow.
    int best = m_focused;
    std::pair<bool, qreal> bestScore{true, 0};
    const QPointF from = centre(m_focused);
    for (int index : places) {
        const QPointF d = centre(index) - from;
        const qreal along = d.x() * direction.x() + d.y() * direction.y();
        const qreal across = qAbs(d.x() * direction.y() - d.y() * direction.x());
        if (index == m_focused || along <= 0)
            continue;
        const std::pair<bool, qreal> score{across > along, along + 2 * across};
        if (best == m_focused || score < bestScore) {
            best = index;
            bestScore = score;
        }
    }
    return best;
}

bool PlaceKeys::step(bool forward)
{
    const QList<int> places = readingOrder();
    const qsizetype at = places.indexOf(m_focused);
    const qsizetype next = at < 0 ? (forward ? 0 : places.size() - 1) : at + (forward ? 1 : -1);
    if (next < 0 || next >= places.size()) {
        unframe();
        return false;
    }
    focusPlace(places[next]);
    return true;
}

void PlaceKeys::focusPlace(int index)
{
    if (!index)
        return;
    m_focused = index;
    m_frame->surround(m_drawing->marker(index)->geometry());
    const QList<int> places = readingOrder();
    // In practice and tests a name would give the answer away.
    m_picture->setAccessibleName(
        m_namesSpoken ? m_drawing->name(index)
                      : QStringLiteral("Plaats %1 van %2").arg(places.indexOf(index) + 1).arg(places.size()));
    Q_EMIT focusMoved(index);
}

bool PlaceKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_picture)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn: {
        // Tabbed onto the map: its first place, or backwards its last. A dialog
        // being shown says Tab as well; no key was typed then, so no frame yet.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) &&
            m_picture->isActiveWindow()) {
            m_focused = 0;
            step(reason == Qt::TabFocusReason);
        } else {
            follow();
        }
        return false;
    }
    case QEvent::FocusOut:
        m_frame->hide();
        return false;
    case QEvent::KeyPress:
        break;
    default:
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Past the last place the focus leaves the map, as Tab does anywhere.
        return step(key->key() == Qt::Key_Tab);
    case Qt::Key_Left:
        focusPlace(nearest({-1, 0}));
        return true;
    case Qt::Key_Right:
        focusPlace(nearest({1, 0}));
        return true;
    case Qt::Key_Up:
        focusPlace(nearest({0, -1}));
        return true;
    case Qt::Key_Down:
        focusPlace(nearest({0, 1}));
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // A key held down is one answer, as a double-click is.
        if (m_focused && !key->isAutoRepeat())
            Q_EMIT answered(m_focused);
        return true;
    default:
        return false;
    }
}

} // namespace korvel
