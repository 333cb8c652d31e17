#pragma once

#include "answerline.h"
#include "dataerror.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace velmora {

// antwoorden.csv: every answer of practice and tests, one line each, appended
// by the pupil program and read and emptied by the teacher program. It has
// the rights, the lock and the one-write append of toets.res.
class AnswersFile
{
public:
    static constexpr QStringView FileName = u"antwoorden.csv";
    // A school year is about 300,000 lines (some 30 MB); far larger is damage.
    static constexpr qint64 FileLimit = qint64(1) << 30;

    static QString path();
    // One write of the line; an empty file first gets the heading row, and a
    // line that an interrupted write left without its end is ended first.
    // In an installed pupil program the file held open since the start is used.
    static std::optional<DataError> append(const QString& path, const AnswerLine& line);
    // Empties the file in place; a missing file is empty already.
    static std::optional<DataError> empty(const QString& path);
};

} // namespace velmora
