#pragma once

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
    // The file of that name kept open from the start, or null when there is none.
    static const PlatformFile* held(QStringView fileName);
};

} // namespace velmora
