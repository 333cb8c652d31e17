#include "icons.h"

// The pictures live in this static library; registering them here keeps the
// linker from dropping them. Q_INIT_RESOURCE must stand outside any namespace.
static void registerIcons()
{
    Q_INIT_RESOURCE(icons);
}

namespace korveladmin {
namespace {

QString iconPath(const QString& picture)
{
    static const bool registered = (registerIcons(), true);
    Q_UNUSED(registered);
    return QStringLiteral(":/icons/") + picture + QStringLiteral(".png");
}

} // namespace

QIcon Icons::icon(const QString& picture)
{
    return QIcon(iconPath(picture));
}

QPixmap Icons::pixmap(const QString& picture)
{
    return QPixmap(iconPath(picture));
}

} // namespace korveladmin
