#include "maplegend.h"

#include "fonts.h"
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

    struct Row
    {
        MapShape::Form form;
        QColor fill;
        bool hatched;
        QString text;
    };
    // Lighter water and area than the markers on the map.
    const Row rows[Rows] = {
        {MapShape::Form::Square, QColor(255, 0, 0), false, QStringLiteral("Grote plaats")},
        {MapShape::Form::Circle, QColor(255, 0, 0), false, QStringLiteral("Kleine plaats")},
        {MapShape::Form::Square, QColor(0, 0, 192), style.hatchWater, QStringLiteral("Water")},
        {MapShape::Form::Square, QColor(192, 192, 192), false, QStringLiteral("Gebied/eiland")},
    };
    for (int i = 0; i < Rows; ++i) {
        const int top = style.firstRowTop + i * RowStep;
        auto* swatch = new MapShape(this);
        swatch->setObjectName(QStringLiteral("Shape") + QString::number(i + 1));
        swatch->setForm(rows[i].form);
        swatch->setFillColor(rows[i].fill);
        swatch->setHatched(rows[i].hatched);
        TwipsGeometry::set(swatch, QRect(SwatchLeft, top, SwatchSize, SwatchSize));
        m_swatches[i] = swatch;

        auto* caption = new QLabel(rows[i].text, this);
        caption->setObjectName(QStringLiteral("Label") + QString::number(i + 1));
        caption->setFont(Fonts::msSansSerif(8.25));
        caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        TwipsGeometry::set(caption, QRect(CaptionLeft, top, style.captionWidth, SwatchSize));
        m_captions[i] = caption;
    }
}

MapShape* MapLegend::swatch(int row) const
{
    return row >= 1 && row <= Rows ? m_swatches[row - 1] : nullptr;
}

QLabel* MapLegend::caption(int row) const
{
    return row >= 1 && row <= Rows ? m_captions[row - 1] : nullptr;
}

void MapLegend::placeBeside(const MapPicture* picture)
{
    const QRect pictureTwips = TwipsGeometry::get(picture);
    const QRect own = TwipsGeometry::get(this);
    TwipsGeometry::move(this, pictureTwips.width() + PictureGap,
                        pictureTwips.top() + pictureTwips.height() - own.height());
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
