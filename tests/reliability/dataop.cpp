// One data operation through the project's own data code, in a process of its
// own, so that tests can run many writers at once and kill them mid-write.
//
//   velmora_dataop [--fsize-limit BYTES] [--start-at FILE] FOLDER OPERATION ARGS...
//     append NAAM KAART NIVEAU GEDAAN GOED [TIMES]   append result records to toets.res
//     clear                                          clear toets.res as it is now
//     clear-until FILE                               clear toets.res again and again until FILE
//                                                    exists; "cleared N" for every clear of N records
//     add LINE | change N LINE | remove N            one change to leerling.sdb
//     add-pupils COUNT                               COUNT additions to leerling.sdb
//     create TITLE                                   make leerling.sdb a database of
//                                                    that title, as a register does
//     map KRT a|b                                    save a map file (state A or B)
//     read-map KRT                                   read a map file
//     passwd a|b                                     write passwd (state A or B)
//     login                                          read passwd as the teacher's login does
//     toggle db|map|passwd [COUNT]                   rewrite between states A and B, COUNT
//                                                    times or until killed; "ready" once the
//                                                    first rewrite is done
//     rename-pupils COUNT [PUPILS]                   COUNT rewrites of leerling.sdb, each
//                                                    renaming one of the first PUPILS pupils
//
// Exit code 0 when done, 2 when the data code reported a failure (its message
// on standard output), 1 for a wrong call.

#include "cyclestates.h"

#include "databasefile.h"
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
#include <variant>

using namespace velmora;

namespace {

int finish(const std::optional<DataError>& error)
{
    if (!error)
        return 0;
    std::printf("%s\n", qPrintable(error->message()));
    return 2;
}

// A read or a creation: done, or failed as its error says.
template <typename... T> int finish(const std::variant<T...>& result)
{
    const auto* error = std::get_if<DataError>(&result);
    return finish(error ? std::optional(*error) : std::nullopt);
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
    return PasswordFile::writeLine(
        PasswordFile::path(), PasswordFile::encipher(*PasswordFile::storable(CycleStates::password(stateB))));
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

int renamePupils(int count, int records)
{
    SmartBase pupils = openPupils();
    if (records == 0)
        records = pupils.RecordCount();
    if (records == 0)
        return usage();
    for (int i = 1; i <= count; ++i) {
        if (auto error = pupils.ChangeRecord(i % records + 1, QStringLiteral("     Leerling %1").arg(i)))
            return finish(error);
    }
    return 0;
}

int addPupils(int count)
{
    SmartBase pupils = openPupils();
    for (int i = 1; i <= count; ++i) {
        if (auto error = pupils.AddRecord(QStringLiteral("     Nieuw %1").arg(i)))
            return finish(error);
    }
    return 0;
}

// Clears what it has just read, as the teacher's results window does.
int clearUntil(const QString& stopFile)
{
    do {
        auto read = ResultsFile::readFile(ResultsFile::path());
        if (auto* error = std::get_if<DataError>(&read); error && error->kind != DataError::Kind::Missing)
            return finish(*error);
        const ResultsTable seen =
            std::holds_alternative<ResultsTable>(read) ? std::get<ResultsTable>(read) : ResultsTable();
        const auto cleared = ResultsFile::clear(ResultsFile::path(), seen.bytes());
        if (auto* error = std::get_if<DataError>(&cleared))
            return finish(*error);
        if (!std::holds_alternative<ResultsTable>(cleared) && !seen.isEmpty())
            std::printf("cleared %lld\n", static_cast<long long>(seen.size()));
    } while (!stopFile.isEmpty() && !QFileInfo::exists(stopFile));
    return 0;
}

int login()
{
    if (auto error = PasswordFile::ensureExists(PasswordFile::path()))
        return finish(error);
    const auto line = PasswordFile::readLine(PasswordFile::path());
    return finish(line);
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
    if (op == u"clear" && rest.isEmpty())
        return clearUntil({});
    if (op == u"clear-until" && rest.size() == 1)
        return clearUntil(rest[0]);
    if (op == u"add-pupils" && rest.size() == 1)
        return addPupils(rest[0].toInt());
    if (op == u"create" && rest.size() == 1)
        return finish(DatabaseFile::create(ProgramFolder::pathFor(QStringLiteral("leerling.sdb")), rest[0],
                                           {{QStringLiteral("A"), 5}, {QStringLiteral("B"), 50}}));
    if (op == u"read-map" && rest.size() == 1)
        return finish(MapFile::readFile(rest[0]));
    if (op == u"login" && rest.isEmpty())
        return login();
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
    if (op == u"rename-pupils" && !rest.isEmpty())
        return renamePupils(rest[0].toInt(), rest.size() > 1 ? rest[1].toInt() : 0);
    return usage();
}
