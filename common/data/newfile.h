#pragma once

#include "dataerror.h"

#include <QByteArray>
#include <QString>

#include <variant>

namespace velmora {

// A file of the program folder created only under a name no file holds yet
// (in any case), so that adding a map never writes over another one.
class NewFile
{
public:
    // `wanted` when it is free, otherwise the first free of "name-2.ext", "name-3.ext", ...
    static QString freeName(const QString& wanted);
    // Creates the first free name with `contents`, under its lock, even when
    // another teacher takes a name meanwhile; the name used, or why none.
    static std::variant<QString, DataError> create(const QString& wanted, const QByteArray& contents);

private:
    static QString candidate(const QString& wanted, int number);
};

} // namespace velmora
