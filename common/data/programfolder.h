#pragma once

#include <QString>

namespace velmora {

// The folder that holds every data file: the programs' own folder, or in an
// installed build the data folder compiled into it. Names given to it
// are bare file names; a name with a path separator, "." or ".." is refused so
// that nothing outside the folder is ever opened through a data file.
class ProgramFolder
{
public:
    // The compiled data folder, else the running executable's folder, unless a
    // test has set another one.
    static QString path();
    static void setPath(const QString& folder);
    // True in an installed build, whose data folder is compiled in.
    static bool isInstalled();

    static bool isBareName(const QString& name);
    // Full path of an existing file, matched without regard to case when the
    // exact name is not there; empty when the name is unusable or nothing matches.
    static QString locate(const QString& name);
    // The same lookup in another folder, e.g. one the teacher chose a map from.
    static QString locateIn(const QString& folder, const QString& name);
    // Full path under which a file of this name is (or would be) kept: the
    // existing file when one matches, otherwise the exact name; empty when unusable.
    static QString pathFor(const QString& name);
};

} // namespace velmora
