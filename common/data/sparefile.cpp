#include "sparefile.h"

#include "programfolder.h"

#include <QDir>
#include <QFile>

namespace velmora {

QString SpareFile::nameFor(const QString& database)
{
    return database.isEmpty() ? QString() : database.chopped(1) + u'_';
}

bool SpareFile::putInPlace(const QString& database)
{
    if (!ProgramFolder::locate(database).isEmpty())
        return false;
    const QString spare = ProgramFolder::locate(nameFor(database));
    if (spare.isEmpty())
        return false;
    // A failed move leaves both names as they were; opening the database then says it is missing.
    return QFile::rename(spare, QDir(ProgramFolder::path()).filePath(database));
}

} // namespace velmora
