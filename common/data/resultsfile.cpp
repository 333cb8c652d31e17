#include "resultsfile.h"

#include "ansitext.h"
#include "datafile.h"
#include "filelock.h"
#include "numberform.h"
#include "programfolder.h"
#include "resultsgroup.h"
#include "textlines.h"

#include <QFileInfo>

#include <algorithm>

namespace velmora {
namespace {

constexpr qint64 Chunk = 1024 * 1024;
// Enough of the file's end for its last record, however long its names.
constexpr qint64 Tail = 64 * 1024;

// Whether the file's end looks like the end of a whole record: a line end
// after three number lines. Appends then need not read the whole file.
bool endsOnWholeRecord(const QByteArray& tail, bool fromStart)
{
    if (!tail.endsWith('\n'))
        return false;
    QList<QByteArrayView> lines = TextLines::split(tail);
    // The first line of a tail may be cut off; it is never one of the three.
    if (lines.size() < (fromStart ? 3 : 4))
        return false;
    for (qsizetype i = lines.size() - 3; i < lines.size(); ++i) {
        if (!NumberForm::parse(AnsiText::decode(lines[i])))
            return false;
    }
    return fromStart ? lines.size() % 5 == 0 : true;
}

// What puts the end of the file on a record boundary: the missing line end,
// then empty lines up to five. Empty when the file already ends on one.
std::variant<QByteArray, DataError> realignment(const FileLock& file)
{
    const auto size = file.size();
    if (auto* error = std::get_if<DataError>(&size))
        return *error;
    const qint64 tailStart = std::max<qint64>(0, std::get<qint64>(size) - Tail);
    const auto tail = file.readAt(tailStart, Tail);
    if (auto* error = std::get_if<DataError>(&tail))
        return *error;
    if (std::get<QByteArray>(tail).isEmpty() || endsOnWholeRecord(std::get<QByteArray>(tail), tailStart == 0))
        return QByteArray();

    // Cut short or edited by hand: count every line to find where records start.
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

QByteArray recordBytes(const QByteArray& naam, const QByteArray& kaart, int niveau, int gedaan, int goed)
{
    const QByteArray lineEnd = TextLines::LineEnd.toByteArray();
    return naam + lineEnd + kaart + lineEnd + NumberForm::line(niveau) + NumberForm::line(gedaan) +
           NumberForm::line(goed);
}

} // namespace

QString ResultsFile::path()
{
    return ProgramFolder::pathFor(FileName.toString());
}

std::optional<DataError> ResultsFile::append(const QString& path, const QString& naam, const QString& kaart,
                                             int niveau, int gedaan, int goed)
{
    const auto naamBytes = AnsiText::encode(naam);
    const auto kaartBytes = AnsiText::encode(kaart.trimmed());
    if (!naamBytes || !kaartBytes)
        return DataError{DataError::Kind::NotEncodable, QFileInfo(path).fileName(), 0, {}};

    auto lock = ResultsGroup::lockForAppend(FileName, path);
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
    // An installed results file belongs to the pupil program's group, which
    // no teacher can give a new one.
    if (ProgramFolder::isInstalled())
        return DataError{DataError::Kind::Missing, FileName.toString(), 0, {}};
    auto lock = FileLock::acquire(path, FileLock::IfMissing::Create, FileLock::Readers::Group);
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
    // Emptied in place, never removed: pupil programs that hold it open keep appending to it.
    if (auto error = file.truncate())
        return *error;
    return Cleared{};
}

std::optional<DataError> ResultsFile::empty(const QString& path)
{
    return FileLock::truncateIfThere(path);
}

} // namespace velmora
