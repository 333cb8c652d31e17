#include "resultsgroup.h"

#include "answersfile.h"
#include "programfolder.h"
#include "resultsfile.h"

#include <QDir>

#include <cstring>
#include <iterator>

namespace velmora {
namespace {

// The files only this program's group may write, each kept open from the start.
constexpr QStringView Held[] = {ResultsFile::FileName, AnswersFile::FileName};
PlatformFile heldFiles[std::size(Held)];

// What the toolkit may read from the environment of a program that started
// with a group the user lacks. Anything else could make it load the user's
// own code (plugin paths, GTK modules) while the results file is held open.
bool isHarmless(const char* entry)
{
    static constexpr const char* Kept[] = {
        "DISPLAY=",
        "WAYLAND_DISPLAY=",
        "XAUTHORITY=",
        "HOME=",
        "USER=",
        "LOGNAME=",
        "PATH=",
        "TZ=",
        "LANG=",
        "LANGUAGE=",
        "LC_",
        "XDG_RUNTIME_DIR=",
        "XDG_SESSION_TYPE=",
        "XDG_CURRENT_DESKTOP=",
        "DBUS_SESSION_BUS_ADDRESS=",
        "QT_QPA_PLATFORM=",
        "QT_SCALE_FACTOR=",
        "QT_SCREEN_SCALE_FACTORS=",
        "QT_ENABLE_HIGHDPI_SCALING=",
        "QT_FONT_DPI=",
        "QT_ACCESSIBILITY=",
        "QT_LINUX_ACCESSIBILITY_ALWAYS_ON=",
        "QT_IM_MODULE=",
        "XMODIFIERS=",
    };
    for (const char* prefix : Kept) {
        if (std::strncmp(entry, prefix, std::strlen(prefix)) == 0)
            return true;
    }
    return false;
}

// The file of that name kept open from the start, or null when there is none.
const PlatformFile* held(QStringView fileName)
{
    for (std::size_t i = 0; i < std::size(Held); ++i) {
        if (Held[i] == fileName)
            return heldFiles[i].isOpen() ? &heldFiles[i] : nullptr;
    }
    return nullptr;
}

} // namespace

bool ResultsGroup::openResultsThenDropGroup()
{
    if (!PlatformFile::runsWithGainedRights())
        return true;
    PlatformFile::keepEnvironment(isHarmless);
    // Only a build with its data folder compiled in knows the folder before the toolkit starts.
    const QString folder = ProgramFolder::path();
    if (QDir::isAbsolutePath(folder)) {
        for (std::size_t i = 0; i < std::size(Held); ++i) {
            auto opened = PlatformFile::openForWriting(QDir(folder).filePath(Held[i].toString()));
            if (auto* file = std::get_if<PlatformFile>(&opened))
                heldFiles[i] = std::move(*file);
        }
    }
    return PlatformFile::dropGainedRights();
}

std::variant<FileLock, DataError> ResultsGroup::lockForAppend(QStringView fileName, const QString& path)
{
    if (const PlatformFile* file = held(fileName))
        return FileLock::acquireHeld(*file, path);
    return FileLock::acquire(path, FileLock::IfMissing::Create, FileLock::Readers::Group);
}

} // namespace velmora
