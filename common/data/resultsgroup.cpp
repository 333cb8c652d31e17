#include "resultsgroup.h"

#include "programfolder.h"
#include "resultsfile.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/auxv.h>
#include <unistd.h>

extern char** environ;

namespace velmora {
namespace {

int held = -1;

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

void keepOnlyHarmlessEnvironment()
{
    char** kept = environ;
    for (char** entry = environ; *entry; ++entry) {
        if (isHarmless(*entry))
            *kept++ = *entry;
    }
    *kept = nullptr;
}

} // namespace

bool ResultsGroup::openResultsThenDropGroup()
{
    const gid_t own = ::getgid();
    if (::getegid() == own && ::getauxval(AT_SECURE) == 0)
        return true;
    keepOnlyHarmlessEnvironment();
    // Only a build with its data folder compiled in knows the folder before the toolkit starts.
    const QString folder = ProgramFolder::path();
    if (QDir::isAbsolutePath(folder)) {
        const QByteArray name = QFile::encodeName(QDir(folder).filePath(ResultsFile::FileName.toString()));
        held = ::open(name.constData(), O_RDWR | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    }
    if (::setresgid(own, own, own) != 0)
        return false;
    gid_t real = 0, effective = 0, saved = 0;
    return ::getresgid(&real, &effective, &saved) == 0 && real == own && effective == own && saved == own;
}

int ResultsGroup::heldResults()
{
    return held;
}

} // namespace velmora
