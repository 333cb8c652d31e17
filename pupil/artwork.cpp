#include "artwork.h"

namespace korvel {

QPixmap Artwork::pixmap(const QString& name)
{
    return QPixmap(QStringLiteral(":/korvel/") + name);
}

QIcon Artwork::icon(const QString& name)
{
    return QIcon(QStringLiteral(":/korvel/") + name);
}

} // namespace korvel
