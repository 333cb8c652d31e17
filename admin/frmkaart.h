#pragma once

#include "dataerror.h"

#include <QImage>
#include <QSize>
#include <QWidget>

#include <optional>

class QLabel;
class QPrinter;

namespace velmora {
class MapDrawing;
class MapLegend;
class MapPicture;
} // namespace velmora

namespace korveladmin {

// The page of one printed map: the title, the picture and, as chosen, its
// items up to a level. Composed for one printout, never shown, then thrown away.
class frmKaart : public QWidget
{
    Q_OBJECT
public:
    enum Optie { MetNamen = 1, ZonderNamen = 2, LegeKaart = 3 };
    static constexpr int ViewWidth = 15255;
    // How much finer than the screen the page is drawn for paper.
    static constexpr qreal PrintSharpness = 3.0;

    explicit frmKaart(QWidget* parent = nullptr);

    // Reads the map and lays out the page; a map that cannot be read leaves
    // the page without a picture and says why.
    std::optional<velmora::DataError> compose(const QString& name, const QString& krtName, int niveau,
                                              int optie);

    // The page in twips: the title and picture area, as tall as the top of
    // the picture plus twice its height, wide enough for the legend.
    QSize sizeTwips() const { return m_sizeTwips; }
    QImage pageImage(qreal pixelRatio);
    // One page, shrunk to the printable area when larger; false when the
    // printer could not be used.
    bool print(QPrinter& printer);

private:
    QLabel* m_lblTop;
    velmora::MapPicture* m_picture;
    velmora::MapLegend* m_legend;
    velmora::MapDrawing* m_drawing;
    QSize m_sizeTwips;
};

} // namespace korveladmin
