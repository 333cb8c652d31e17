#include "frmkaart.h"

#include "fonts.h"
#include "mapdrawing.h"
#include "mapfile.h"
#include "maplegend.h"
#include "mappicture.h"
#include "paperpage.h"
#include "twips.h"
#include "twipsgeometry.h"

#include <QLabel>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

using namespace velmora;

namespace korveladmin {
namespace {

constexpr int PictureLeft = 240;
constexpr int PictureTop = 720;

MapDrawingStyle printStyle()
{
    MapDrawingStyle style;
    style.labelBetween = true;
    style.hatchWater = true;
    return style;
}

MapLegend::Style legendStyle()
{
    MapLegend::Style style;
    style.hatchWater = true;
    return style;
}

} // namespace

frmKaart::frmKaart(QWidget* parent)
    : QWidget(parent), m_lblTop(new QLabel(this)), m_picture(new MapPicture(this)),
      m_legend(new MapLegend(legendStyle(), this)), m_drawing(new MapDrawing(m_picture, printStyle(), this))
{
    setObjectName(QStringLiteral("frmKaart"));
    // Paper is white: the legend and label backgrounds follow the page.
    QPalette paper = palette();
    paper.setColor(QPalette::Window, Qt::white);
    paper.setColor(QPalette::WindowText, Qt::black);
    setPalette(paper);
    setAutoFillBackground(true);

    m_lblTop->setObjectName(QStringLiteral("lblTop"));
    m_lblTop->setFont(Fonts::timesNewRoman(18, true));
    m_lblTop->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    TwipsGeometry::set(m_lblTop, QRect(240, 120, 10215, 495));
    TwipsGeometry::set(m_picture, QRect(PictureLeft, PictureTop, 0, 0));
    m_legend->hide();
}

std::optional<DataError> frmKaart::compose(const QString& name, const QString& krtName, int niveau, int optie)
{
    m_drawing->clear();
    m_lblTop->setText(QStringLiteral("Velmora - ") + name);

    const MapFile::ReadResult read = MapFile::readFile(krtName);
    if (const auto* error = std::get_if<DataError>(&read))
        return *error;
    const auto& contents = std::get<MapFile::Contents>(read);
    if (auto error = m_picture->load(contents.picture))
        return error;

    m_legend->placeBeside(m_picture);
    m_legend->setVisible(optie != LegeKaart);
    if (optie != LegeKaart) {
        for (int i = 1; i <= contents.items.size(); ++i) {
            const Plaats& item = contents.items[i - 1];
            if (item.Niveau > niveau)
                continue;
            m_drawing->add(i, item);
            if (optie == MetNamen)
                m_drawing->showLabel(i);
        }
        m_drawing->raiseLabels();
    }
    m_page = contentsBox();
    // The view reaches as far right and down as anything on it, so that all of it is rendered.
    resize(m_page.right() + 1, m_page.bottom() + 1);
    return std::nullopt;
}

QRect frmKaart::contentsBox() const
{
    // The title's box is wider than its text: only the text counts, so that
    // a small map is not shrunk or pushed aside by empty box.
    QRect box(m_lblTop->pos(),
              QSize(std::min(m_lblTop->sizeHint().width(), m_lblTop->width()), m_lblTop->height()));
    box |= m_picture->geometry();
    if (m_legend->isVisibleTo(this))
        box |= m_legend->geometry();
    // Names near the picture's edge run past it.
    for (const QLabel* label : m_picture->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->isVisibleTo(this))
            box |= QRect(label->mapTo(this, QPoint(0, 0)), label->size());
    }
    return box;
}

QImage frmKaart::pageImage(qreal pixelRatio)
{
    QImage image(m_page.size() * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    render(&image, -m_page.topLeft());
    // The picture clips its children, but a name near its edge runs past it
    // on paper: the shown names are drawn once more, unclipped, on top.
    QPainter painter(&image);
    for (QLabel* label : m_picture->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->isVisibleTo(this))
            label->render(&painter, label->mapTo(this, QPoint(0, 0)) - m_page.topLeft());
    }
    painter.end();
    return image;
}

QPageLayout::Orientation frmKaart::orientation() const
{
    return m_page.width() > m_page.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

bool frmKaart::print(QPrinter& printer)
{
    printer.setDocName(m_lblTop->text());
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect pageTwips(Twips::fromPixels(m_page.x()), Twips::fromPixels(m_page.y()),
                          Twips::fromPixels(m_page.width()), Twips::fromPixels(m_page.height()));
    PaperPage::fit(painter, pageTwips, Qt::AlignHCenter);
    // Lossless, so markers and names stay crisp instead of compressed to blur.
    painter.setRenderHints(QPainter::SmoothPixmapTransform | QPainter::LosslessImageRendering);
    painter.drawImage(pageTwips, pageImage(PrintSharpness));
    return painter.end();
}

} // namespace korveladmin
