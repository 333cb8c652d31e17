// One data operation through the project's own data code, in a process of its
// own, so that tests can run many writers at once and kill them mid-write.
//
//   velmora_dataop [--fsize-limit BYTES] [--start-at FILE] FOLDER OPERATION ARGS...
//     append NAAM KAART NIVEAU GEDAAN GOED [TIMES]   append result records to toets.res
//     add LINE | change N LINE | remove N            one change to leerling.sdb
//     map KRT a|b                                    save a map file (state A or B)
//     passwd a|b                                     write passwd (state A or B)
//     toggle db|map|passwd [COUNT]                   rewrite between states A and B, COUNT
//                                                    times or until killed; "ready" once the
//                                                    first rewrite is done
//     rename-pupils COUNT                            COUNT rewrites of leerling.sdb, each
//                                                    renaming one pupil
//
// Exit code 0 when done, 2 when the data code reported a failure (its message
// on standard output), 1 for a wrong call.

#include "cyclestates.h"

#include "mapfile.h"
#include "passwordfile.h"
#include "programfolder.h"
#include "resultsfile.h"
#include "smartbase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <optional>
#include <sys/resource.h>

using namespace velmora;

namespace {

int finish(const std::optional<DataError>& error)
{
    if (!error)
        return 0;
    std::printf("%s\n", qPrintable(error->message()));
    return 2;
}

int usage()
{
    std::fprintf(stderr, "velmora_dataop: wrong call, see the comment at the top of dataop.cpp\n");
    return 1;
}

SmartBase openPupils()
{
    SmartBase db([](const QString& message) { std::printf("%s\n", qPrintable(message)); });
    db.OpenDatabase(ProgramFolder::pathFor(QStringLiteral("leerling.sdb")));
    return db;
}

std::optional<DataError> writeState(const QString& what, bool stateB, SmartBase* pupils)
{
    if (what == u"db")
        return pupils->ChangeRecord(1, CycleStates::pupilLine(stateB));
    if (what == u"map")
        return MapFile::write(ProgramFolder::pathFor(QStringLiteral("kaart.krt")), CycleStates::mapPicture(),
                              CycleStates::mapItems(stateB));
    return PasswordFile::writeLine(PasswordFile::path(),
                                   PasswordFile::encipher(*PasswordFile::storable(CycleStates::password(stateB))));
}

int toggle(const QString& what, long count)
{
    std::optional<SmartBase> pupils;
    if (what == u"db")
        pupils = openPupils();
    for (long i = 1; count == 0 || i <= count; ++i) {
        if (auto error = writeState(what, i % 2 == 1, pupils ? &*pupils : nullptr))
            return finish(error);
        if (i == 1) {
            std::printf("ready\n");
            std::fflush(stdout);
        }
    }
    return 0;
}

int renamePupils(int count)
{
    SmartBase pupils = openPupils();
    const int records = pupils.RecordCount();
    if (records == 0)
        return usage();
    for (int i = 1; i <= count; ++i) {
        if (auto error = pupils.ChangeRecord(i % records + 1, QStringLiteral("     Leerling %1").arg(i)))
            return finish(error);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    while (args.size() >= 2 && args[0].startsWith(u"--")) {
        if (args[0] == u"--fsize-limit") {
            // A full disk: writes past the limit fail with EFBIG instead of killing us.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{args[1].toULongLong(), args[1].toULongLong()};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                return usage();
        } else if (args[0] == u"--start-at") {
            // All writers of a round begin together once the test creates the file.
            while (!QFileInfo::exists(args[1]))
                QThread::usleep(200);
        } else {
            return usage();
        }
        args = args.mid(2);
    }
    if (args.size() < 2)
        return usage();
    ProgramFolder::setPath(args[0]);
    const QString op = args[1];
    const QStringList rest = args.mid(2);

    if (op == u"append" && rest.size() >= 5) {
        const int times = rest.size() > 5 ? rest[5].toInt() : 1;
        for (int i = 0; i < times; ++i) {
            if (auto error = ResultsFile::append(ResultsFile::path(), rest[0], rest[1], rest[2].toInt(),
                                                 rest[3].toInt(), rest[4].toInt()))
                return finish(error);
        }
        return 0;
    }
    if (op == u"add" && rest.size() == 1)
        return finish(openPupils().AddRecord(rest[0]));
    if (op == u"change" && rest.size() == 2)
        return finish(openPupils().ChangeRecord(rest[0].toInt(), rest[1]));
    if (op == u"remove" && rest.size() == 1)
        return finish(openPupils().RemoveRecord(rest[0].toInt()));
    if (op == u"map" && rest.size() == 2)
        return finish(MapFile::write(ProgramFolder::pathFor(rest[0]), CycleStates::mapPicture(),
                                     CycleStates::mapItems(rest[1] == u"b")));
    if (op == u"passwd" && rest.size() == 1)
        return finish(writeState(QStringLiteral("passwd"), rest[0] == u"b", nullptr));
    if (op == u"toggle" && !rest.isEmpty())
        return toggle(rest[0], rest.size() > 1 ? rest[1].toLong() : 0);
    if (op == u"rename-pupils" && rest.size() == 1)
        return renamePupils(rest[0].toInt());
    return usage();
}
