#include "answersfile.h"

#include "csvline.h"
#include "filelock.h"
#include "programfolder.h"
#include "resultsgroup.h"

namespace velmora {

QString AnswersFile::path()
{
    return ProgramFolder::pathFor(FileName.toString());
}

std::optional<DataError> AnswersFile::append(const QString& path, const AnswerLine& line)
{
    auto lock = ResultsGroup::lockForAppend(FileName, path);
    if (auto* error = std::get_if<DataError>(&lock))
        return *error;
    FileLock& file = std::get<FileLock>(lock);
    const auto size = file.size();
    if (auto* error = std::get_if<DataError>(&size))
        return *error;
    QByteArray bytes;
    if (std::get<qint64>(size) == 0) {
        bytes = CsvLine::encode(AnswerLine::headings());
    } else {
        const auto last = file.readAt(std::get<qint64>(size) - 1, 1);
        if (auto* error = std::get_if<DataError>(&last))
            return *error;
        // A cut between CR and LF needs only the LF.
        if (std::get<QByteArray>(last) == "\r")
            bytes = "\n";
        else if (std::get<QByteArray>(last) != "\n")
            bytes = "\r\n";
    }
    return file.append(bytes + line.encode());
}

std::optional<DataError> AnswersFile::empty(const QString& path)
{
    return FileLock::truncateIfThere(path);
}

} // namespace velmora
