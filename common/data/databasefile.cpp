#include "databasefile.h"

#include "ansitext.h"
#include "atomicwrite.h"
#include "numberform.h"
#include "programfolder.h"
#include "textlines.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace velmora {

std::optional<DataError> DatabaseFile::createEmpty(const QString& path, const QString& title,
                                                   const QList<Field>& fields)
{
    const QByteArray lineEnd = TextLines::LineEnd.toByteArray();
    QStringList names{title};
    for (const Field& field : fields)
        names.append(field.name);
    for (const QString& name : names) {
        if (!AnsiText::canEncode(name))
            return DataError{DataError::Kind::NotEncodable, QFileInfo(path).fileName(), 0, {}};
    }

    QByteArray contents = *AnsiText::encode(title) + lineEnd + NumberForm::line(int(fields.size()));
    for (const Field& field : fields)
        contents += *AnsiText::encode(field.name) + lineEnd + NumberForm::line(field.width);
    return AtomicWrite::replace(path, contents);
}

std::optional<DataError> DatabaseFile::moveSpareIntoPlace(const QString& databaseName, const QString& spareName)
{
    if (!ProgramFolder::locate(databaseName).isEmpty())
        return std::nullopt;
    const QString spare = ProgramFolder::locate(spareName);
    if (spare.isEmpty())
        return std::nullopt;
    QFile file(spare);
    if (!file.rename(ProgramFolder::pathFor(databaseName)))
        return DataError{DataError::Kind::WriteFailed, databaseName, 0, file.errorString()};
    return std::nullopt;
}

} // namespace velmora
