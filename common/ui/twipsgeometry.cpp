#include "twipsgeometry.h"

#include "twips.h"

#include <QVariant>
#include <QWidget>

namespace velmora {
namespace {
constexpr const char* Property = "twipsGeometry";
}

void TwipsGeometry::set(QWidget* widget, const QRect& twips, qreal scale)
{
    widget->setProperty(Property, twips);
    widget->setGeometry(Twips::rect(QRectF(twips), scale));
}

void TwipsGeometry::move(QWidget* widget, int left, int top)
{
    QRect twips = get(widget);
    twips.moveTo(left, top);
    set(widget, twips);
}

QRect TwipsGeometry::get(const QWidget* widget)
{
    const QVariant stored = widget->property(Property);
    if (stored.isValid())
        return stored.toRect();
    const QRect px = widget->geometry();
    return QRect(Twips::fromPixels(px.x()), Twips::fromPixels(px.y()), Twips::fromPixels(px.width()),
                 Twips::fromPixels(px.height()));
}

} // namespace velmora
