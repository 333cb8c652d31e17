#include "registerfile.h"

#include "programfolder.h"

namespace velmora {

QString RegisterFile::path() const
{
    return ProgramFolder::pathFor(fileName.toString());
}

QList<DatabaseFile::Field> RegisterFile::databaseFields() const
{
    QList<DatabaseFile::Field> result;
    for (const Field& field : fields)
        result.append({field.name.toString(), field.width});
    return result;
}

std::optional<DataError> RegisterFile::moveSpareIntoPlace() const
{
    return DatabaseFile::moveSpareIntoPlace(fileName.toString(), spareName.toString());
}

} // namespace velmora
