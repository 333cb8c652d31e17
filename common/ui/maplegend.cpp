#include "maplegend.h"

#include "fonts.h"
#include "mapdrawing.h"
#include "mappicture.h"
#include "mapshape.h"
#include "twips.h"
#include "twipsgeometry.h"

#include <QLabel>

#include <algorithm>

namespace velmora {

MapLegend::MapLegend(QWidget* parent) : MapLegend(Style{}, parent) {}

MapLegend::MapLegend(const Style& style, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Legenda"));
    setAutoFillBackground(true);
    TwipsGeometry::set(this, QRect(QPoint(0, 0), style.size));

    // A row per kind, in the kinds' own order.
    for (const ItemKind& kind : ItemKind::all()) {
        const int row = kind.number();
        const int top = style.firstRowTop + (row - 1) * RowStep;
        auto* swatch = new MapShape(this);
        swatch->setObjectName(QStringLiteral("Shape") + QString::number(row));
        swatch->setLook(MapDrawing::look(kind, style.hatchWater, true));
        TwipsGeometry::set(swatch, QRect(SwatchLeft, top, SwatchSize, SwatchSize));
        m_swatches[row - 1] = swatch;

        auto* caption = new QLabel(kind.legendText(), this);
        caption->setObjectName(QStringLiteral("Label") + QString::number(row));
        caption->setFont(Fonts::msSansSerif(8.25));
        caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        TwipsGeometry::set(caption, QRect(CaptionLeft, top, style.captionWidth, SwatchSize));
    }
}

MapShape* MapLegend::swatch(int row) const
{
    return row >= 1 && row <= Rows ? m_swatches[row - 1] : nullptr;
}

void MapLegend::placeBeside(const MapPicture* picture, QWidget* above)
{
    const QRect pictureTwips = TwipsGeometry::get(picture);
    const int aboveHeight = above && above->isVisibleTo(above->parentWidget())
                                ? TwipsGeometry::get(above).height() + AboveGap
                                : 0;
    const int left = pictureTwips.width() + PictureGap;
    const int top = std::max(pictureTwips.top(), pictureTwips.top() + pictureTwips.height() -
                                                     TwipsGeometry::get(this).height() - aboveHeight);
    if (above)
        TwipsGeometry::move(above, left, top);
    TwipsGeometry::move(this, left, top + aboveHeight);
}

qreal MapLegend::fittingScale(QSize window, const MapPicture* picture) const
{
    const QSize natural = picture->picture().size();
    if (natural.isEmpty())
        return 1;
    // The column starts at the picture's width + 355, as the legend does.
    const int width =
        Twips::fromPixels(window.width()) - PictureGap - TwipsGeometry::get(this).width() - RightMargin;
    const int height = Twips::fromPixels(window.height()) - TwipsGeometry::get(picture).top() - BottomMargin;
    const qreal scale = std::min({qreal(1), qreal(width) / Twips::fromPixels(natural.width()),
                                  qreal(height) / Twips::fromPixels(natural.height())});
    return std::max(scale, SmallestScale);
}

} // namespace velmora
