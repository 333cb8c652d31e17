#include "fonts.h"

#include <QStringList>

namespace velmora {
namespace {

QFont make(const QStringList& families, qreal pointSize, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

QFont Fonts::msSansSerif(qreal pointSize, bool bold)
{
    return make({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                 QStringLiteral("Liberation Sans")},
                pointSize, bold);
}

QFont Fonts::timesNewRoman(qreal pointSize, bool bold)
{
    return make({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")}, pointSize, bold);
}

QFont Fonts::arial(qreal pointSize, bool bold)
{
    return make({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, pointSize, bold);
}

} // namespace velmora
