#pragma once

#include <QWidget>

class QLabel;

namespace velmora {

class MapPicture;
class MapShape;

// Legenda: the four kinds of item with their swatches and captions. The
// swatches are Shape1..Shape4 and the captions Label1..Label4.
class MapLegend : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Rows = 4;
    static constexpr int SwatchLeft = 120;
    static constexpr int CaptionLeft = 480;
    static constexpr int RowStep = 360;
    static constexpr int SwatchSize = 255;
    static constexpr int PictureGap = 355;

    struct Style
    {
        QSize size{2055, 1575}; // twips
        int firstRowTop = 120;
        int captionWidth = 1455;
        bool hatchWater = false;
    };

    explicit MapLegend(QWidget* parent = nullptr);
    MapLegend(const Style& style, QWidget* parent);

    MapShape* swatch(int row) const;  // row 1..4
    QLabel* caption(int row) const;

    // Beside the picture: left = the picture's width + 355 (its width, not its
    // right edge), bottom level with the picture's bottom.
    void placeBeside(const MapPicture* picture);

private:
    MapShape* m_swatches[Rows] = {};
    QLabel* m_captions[Rows] = {};
};

} // namespace velmora
