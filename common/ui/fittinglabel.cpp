#include "fittinglabel.h"

#include <QFontMetrics>

namespace velmora {

FittingLabel::FittingLabel(const QFont& font, QWidget* parent) : QLabel(parent), m_font(font)
{
    setFont(font);
    setWordWrap(true);
}

void FittingLabel::setFittedText(const QString& text)
{
    setText(text);
    fit();
}

bool FittingLabel::fits(const QFont& font, const QString& text) const
{
    const QRect area = contentsRect();
    const QRect needed = QFontMetrics(font).boundingRect(area, int(alignment()) | Qt::TextWordWrap, text);
    return needed.width() <= area.width() && needed.height() <= area.height();
}

void FittingLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    fit();
}

void FittingLabel::fit()
{
    QFont font = m_font;
    while (!fits(font, text()) && font.pointSizeF() - 0.5 >= SmallestPointSize)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    setFont(font);
}

} // namespace velmora
