#pragma once

#include "itemkind.h"

#include <QWidget>

namespace velmora {

class MapPicture;
class MapShape;

// Legenda: the kinds of item with their swatches and captions, row n for the
// kind numbered n. The swatches are Shape1..Shape4 and the captions Label1..Label4.
class MapLegend : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Rows = ItemKind::Count;
    static constexpr int SwatchLeft = 120;
    static constexpr int CaptionLeft = 480;
    static constexpr int RowStep = 360;
    static constexpr int SwatchSize = 255;
    static constexpr int PictureGap = 355;
    // Kept free right of the column beside the picture and below the picture.
    static constexpr int RightMargin = 240;
    static constexpr int BottomMargin = 120;
    // A window too small for any map (while it is being made) still gets a picture.
    static constexpr qreal SmallestScale = 0.1;

    struct Style
    {
        QSize size{2055, 1575}; // twips
        int firstRowTop = 120;
        int captionWidth = 1455;
        bool hatchWater = false;
    };

    explicit MapLegend(QWidget* parent = nullptr);
    MapLegend(const Style& style, QWidget* parent);

    MapShape* swatch(int row) const; // row 1..Rows

    // Beside the picture: left = the picture's width + 355 (its width, not its
    // right edge), bottom level with the picture's bottom, with `above` (the
    // counters), when shown, stacked on top of the legend. A picture shorter
    // than that column gets the column level with its top instead, so that it
    // never covers what lies above the picture.
    void placeBeside(const MapPicture* picture, QWidget* above = nullptr);
    static constexpr int AboveGap = 155;
    // The map windows' display scale: the picture at its place as large as a
    // window of `window` pixels leaves room for, with a column as wide as the
    // legend beside it, and never larger than its natural size.
    qreal fittingScale(QSize window, const MapPicture* picture) const;

private:
    MapShape* m_swatches[Rows] = {};
};

} // namespace velmora
