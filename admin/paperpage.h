#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <optional>

class QPainter;

namespace korveladmin {

// Draws layouts given in twips on paper (or on an image of a page): the
// painter counts in twips, and fonts are sized in twips to match.
class PaperPage
{
public:
    // Sets the painter up so that one unit is one twip of the layout, its top
    // at the device's top and its left edge at the device's left or, with
    // Qt::AlignHCenter, centred across. Shrunk as a whole when the layout is
    // larger than the device, never enlarged.
    static void fit(QPainter& painter, const QRect& layoutTwips, Qt::Alignment alignment = Qt::AlignLeft);
    // The same font with its size in twips (20 per point), for a fitted painter.
    static QFont inTwips(const QFont& font);
    // Text in a box like a label: top left, one line, cut at the box's edges,
    // on an opaque background when one is given.
    static void text(QPainter& painter, const QRect& box, const QString& text, const QFont& font,
                     std::optional<QColor> background = std::nullopt);
};

} // namespace korveladmin
