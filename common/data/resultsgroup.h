#pragma once

#include "filelock.h"
#include "platformfile.h"

#include <QStringView>

namespace velmora {

// An installed pupil program runs setgid to the one group that may write
// toets.res and antwoorden.csv, so that pupils can add results and answers
// only through it. It opens those files with that group first thing, then
// gives the group up for good before anything else runs, and later appends
// through the files it kept open.
class ResultsGroup
{
public:
    // First thing in main(), before the toolkit starts. Without a group of
    // its own it does nothing. False when the group could not be given up:
    // the program must then end at once.
    static bool openResultsThenDropGroup();
    // The lock an append to one of those files takes: on the file held open
    // when there is one, else on the file at path, made if missing (readable
    // for its group only).
    static std::variant<FileLock, DataError> lockForAppend(QStringView fileName, const QString& path);
};

} // namespace velmora
