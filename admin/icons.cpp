#include "icons.h"

namespace korveladmin {
namespace {

QString iconPath(const QString& picture)
{
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
