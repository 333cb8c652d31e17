#include "artwork.h"

// The resources live in a static library: register them before the first use,
// or the linker may leave them out.
static void registerArtwork()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(korvel);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace korvel {

QPixmap Artwork::pixmap(const QString& name)
{
    registerArtwork();
    return QPixmap(QStringLiteral(":/korvel/") + name);
}

QIcon Artwork::icon(const QString& name)
{
    registerArtwork();
    return QIcon(QStringLiteral(":/korvel/") + name);
}

} // namespace korvel
