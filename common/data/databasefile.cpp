#include "databasefile.h"

#include "ansitext.h"
#include "filelock.h"
#include "numberform.h"
#include "programfolder.h"
#include "textlines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace velmora {
namespace {

// Enough of the file for its title line.
constexpr qint64 TitleBytes = 64 * 1024;

// "leerling.sdb" is kept as "leerling-oud.sdb", or "leerling-oud-2.sdb" when that is taken.
std::optional<QString> freeKeepName(const QString& path)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    for (int n = 1; n <= 999; ++n) {
        const QString name = info.completeBaseName() + QStringLiteral("-oud") +
                             (n > 1 ? u'-' + QString::number(n) : QString()) + suffix;
        const QFileInfo candidate(info.dir().filePath(name));
        if (!candidate.exists() && !candidate.isSymLink())
            return candidate.filePath();
    }
    return std::nullopt;
}

} // namespace

std::variant<DatabaseFile::Creation, DataError>
DatabaseFile::create(const QString& path, const QString& title, const QList<Field>& fields)
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

    auto lock = FileLock::acquire(path, FileLock::IfMissing::Create);
    if (auto* error = std::get_if<DataError>(&lock))
        return *error;
    FileLock& file = std::get<FileLock>(lock);
    const auto head = file.readAt(0, TitleBytes);
    if (auto* error = std::get_if<DataError>(&head))
        return *error;
    const QByteArray& bytes = std::get<QByteArray>(head);
    const QList<QByteArrayView> lines = TextLines::split(TextLines::withoutBom(bytes));
    if (!lines.isEmpty() && AnsiText::decode(lines[0]) == title)
        return Creation{};

    std::optional<QString> keptAs;
    if (!bytes.isEmpty()) {
        keptAs = freeKeepName(file.path());
        if (!keptAs)
            return DataError{DataError::Kind::WriteFailed, QFileInfo(path).fileName(), 0, {}};
        if (auto error = file.moveTo(*keptAs))
            return *error;
    }
    if (auto error = file.replace(contents)) {
        // Nothing new took its place: the old file goes back where it was.
        if (keptAs)
            QFile::rename(*keptAs, file.path());
        return *error;
    }
    Creation creation{true, {}};
    if (keptAs)
        creation.notice =
            QStringLiteral("Het bestand \"%1\" was geen lijst met de titel \"%2\". Het is bewaard als "
                           "\"%3\", zodat er niets verloren gaat.")
                .arg(QFileInfo(file.path()).fileName(), title, QFileInfo(*keptAs).fileName());
    return creation;
}

std::optional<DataError> DatabaseFile::moveSpareIntoPlace(const QString& databaseName,
                                                          const QString& spareName)
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
