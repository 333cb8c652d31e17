#pragma once

#include <QString>

namespace velmora {

// A database's spare file ("leerling.sd_" beside "leerling.sdb") takes the
// place of a missing database: it is moved, not copied.
class SpareFile
{
public:
    // The spare's name for a database name: the last letter becomes "_".
    static QString nameFor(const QString& database);
    // Moves the spare into place when the program folder holds no database of
    // that name but does hold its spare. True when a spare was moved.
    static bool putInPlace(const QString& database);
};

} // namespace velmora
