#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace velmora {

// The free-format field that opens a map file: blanks around it dropped, a
// quoted value taken without its quotes, an unquoted one ended at a comma.
struct FreeField
{
    QString value;
    // What followed the comma that ended the field; it is read as the next line.
    std::optional<QString> rest;

    static FreeField read(QStringView line);
};

} // namespace velmora
