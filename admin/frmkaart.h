#pragma once

#include "dataerror.h"

#include <QImage>
#include <QPageLayout>
#include <QRect>
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
    // How much finer than the screen the page is drawn for paper.
    static constexpr qreal PrintSharpness = 3.0;

    explicit frmKaart(QWidget* parent = nullptr);

    // Reads the map and lays out the page; a map that cannot be read leaves
    // the page without a picture and says why.
    std::optional<velmora::DataError> compose(const QString& name, const QString& krtName, int niveau,
                                              int optie);

    // What is printed: the title, the picture, the legend and the names, up
    // to their outer edges and nothing around them.
    QImage pageImage(qreal pixelRatio);
    // One page: the composed map as large as the printable area allows, but
    // never beyond its natural size; false when the printer could not be used.
    bool print(QPrinter& printer);
    // The page orientation the composed map fills best: landscape when it is wider than high.
    QPageLayout::Orientation orientation() const;

private:
    QRect contentsBox() const;

    QLabel* m_lblTop;
    velmora::MapPicture* m_picture;
    velmora::MapLegend* m_legend;
    velmora::MapDrawing* m_drawing;
    QRect m_page; // pixels of this view
};

} // namespace korveladmin
