#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace korveladmin {

// The program's own pictures (":/icons/<picture>.png"), compiled in.
class Icons
{
public:
    static QIcon icon(const QString& picture);
    static QPixmap pixmap(const QString& picture);
};

} // namespace korveladmin
