#pragma once

#include <QRect>

class QWidget;

namespace velmora {

// A widget's place in twips, kept beside its pixel geometry so that positions
// read back are exactly the ones given, not recomputed from rounded pixels.
class TwipsGeometry
{
public:
    // Shown at `scale` (below 1 only for the pieces of a map on a small screen).
    static void set(QWidget* widget, const QRect& twips, qreal scale = 1);
    static void move(QWidget* widget, int left, int top);
    // The twips last set; derived from the pixel geometry when none was set.
    static QRect get(const QWidget* widget);
};

} // namespace velmora
