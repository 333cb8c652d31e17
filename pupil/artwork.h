#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace korvel {

// The program's own pictures (logo, compass, activity buttons), compiled in.
class Artwork
{
public:
    // name is the picture's file name, e.g. "logo.png".
    static QPixmap pixmap(const QString& name);
    static QIcon icon(const QString& name);
};

} // namespace korvel
