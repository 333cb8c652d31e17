#include "resultsfile.h"

#include "ansitext.h"
#include "datafile.h"
#include "filelock.h"
#include "numberform.h"
#include "programfolder.h"
#include "textlines.h"

#include <QFileInfo>

#include <algorithm>

namespace velmora {
namespace {

constexpr qint64 Chunk = 1024 * 1024;

// What puts the end of the file on a record boundary: the missing line end,
// then empty lines up to five. Empty when the file already ends on one.
std::variant<QByteArray, DataError> realignment(const FileLock& file)
{
    qint64 lineEnds = 0;
    qint64 offset = 0;
    char last = '\n';
    for (;;) {
        auto chunk = file.readAt(offset, Chunk);
        if (auto* error = std::get_if<DataError>(&chunk))
            return *error;
        const QByteArray& bytes = std::get<QByteArray>(chunk);
        if (bytes.isEmpty())
            break;
        lineEnds += std::count(bytes.cbegin(), bytes.cend(), '\n');
        last = bytes.back();
        offset += bytes.size();
    }
    QByteArray fill;
    qint64 lines = lineEnds;
    if (last != '\n') {
        // A cut between CR and LF needs only the LF.
        fill = last == '\r' ? QByteArray("\n") : TextLines::LineEnd.toByteArray();
        ++lines;
    }
    for (; lines % 5 != 0; ++lines)
        fill += TextLines::LineEnd.toByteArray();
    return fill;
}

} // namespace

QString ResultsFile::path()
{
    return ProgramFolder::pathFor(FileName.toString());
}

QByteArray ResultsFile::recordBytes(const QByteArray& naam, const QByteArray& kaart, int niveau, int gedaan,
                                    int goed)
{
    const QByteArray lineEnd = TextLines::LineEnd.toByteArray();
    return naam + lineEnd + kaart + lineEnd + NumberForm::line(niveau) + NumberForm::line(gedaan) +
           NumberForm::line(goed);
}

std::optional<DataError> ResultsFile::append(const QString& path, const QString& naam, const QString& kaart,
                                             int niveau, int gedaan, int goed)
{
    const auto naamBytes = AnsiText::encode(naam);
    const auto kaartBytes = AnsiText::encode(kaart.trimmed());
    if (!naamBytes || !kaartBytes)
        return DataError{DataError::Kind::NotEncodable, QFileInfo(path).fileName(), 0, {}};

    auto lock = FileLock::acquire(path, FileLock::IfMissing::Create);
    if (auto* error = std::get_if<DataError>(&lock))
        return *error;
    FileLock& file = std::get<FileLock>(lock);
    auto fill = realignment(file);
    if (auto* error = std::get_if<DataError>(&fill))
        return *error;
    return file.append(std::get<QByteArray>(fill) +
                       recordBytes(*naamBytes, *kaartBytes, niveau, gedaan, goed));
}

std::optional<DataError> ResultsFile::ensureExists(const QString& path)
{
    if (QFileInfo::exists(path))
        return std::nullopt;
    auto lock = FileLock::acquire(path, FileLock::IfMissing::Create);
    if (auto* error = std::get_if<DataError>(&lock))
        return *error;
    return std::nullopt;
}

std::variant<ResultsTable, DataError> ResultsFile::readFile(const QString& path)
{
    auto data = DataFile::read(path, FileLimit);
    if (auto* error = std::get_if<DataError>(&data))
        return *error;
    return ResultsTable(std::move(std::get<QByteArray>(data)));
}

ResultsFile::ClearResult ResultsFile::clear(const QString& path, const QByteArray& seen)
{
    auto lock = FileLock::acquire(path, FileLock::IfMissing::Fail);
    if (auto* error = std::get_if<DataError>(&lock)) {
        if (error->kind == DataError::Kind::Missing)
            return Cleared{};
        return *error;
    }
    FileLock& file = std::get<FileLock>(lock);
    auto data = file.read(FileLimit);
    if (auto* error = std::get_if<DataError>(&data))
        return *error;
    if (std::get<QByteArray>(data) != seen)
        return ResultsTable(std::move(std::get<QByteArray>(data)));
    if (auto error = file.remove())
        return *error;
    return Cleared{};
}

} // namespace velmora
