// One writer through the project's own data code, in a process of its own, so
// that tests can run many writers at once and kill them mid-write.
//
//   velmora_dataop [--start-at FILE] FOLDER OPERATION ARGS...
//     append NAAM TIMES          append TIMES results of NAAM to toets.res
//     clear-until FILE CLEARED   clear toets.res again and again until FILE exists,
//                                adding the bytes of every clear to CLEARED
//     add COUNT                  add pupils "Nieuw 1" .. "Nieuw COUNT" to leerling.sdb
//     rename PUPILS COUNT        rename i renames pupil i % PUPILS + 1 to "Leerling i"
//     toggle db|map|passwd N     rewrite between two contents N times (0: until killed),
//                                printing "ready" once the first rewrite is done
// --start-at waits until FILE exists, so that all writers of a round begin together.
// Exit code 0 when done, 2 with the data code's message on standard output when it failed.

#include "mapfile.h"
#include "passwordfile.h"
#include "programfolder.h"
#include "resultsfile.h"
#include "smartbase.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cstdio>

using namespace velmora;

namespace {

std::optional<DataError> rewrite(const QString& what, bool second, SmartBase& pupils)
{
    if (what == u"db")
        return pupils.ChangeRecord(1, second ? QStringLiteral("     Bram-Jan van der Meer")
                                             : QStringLiteral("     Anna"));
    if (what == u"passwd")
        return PasswordFile::writeLine(
            PasswordFile::path(), PasswordFile::encipher(second ? "een veel langer wachtwoord" : "geheim"));
    QList<Plaats> items;
    for (int i = 1; i <= (second ? 120 : 300); ++i)
        items.append(Plaats{i % 3 + 1, second ? QStringLiteral("d") : QStringLiteral("s"), i * 10, i * 7,
                            QStringLiteral("Plaats %1").arg(i)});
    return MapFile::write(ProgramFolder::pathFor(QStringLiteral("kaart.krt")), QStringLiteral("kaart.bmp"),
                          items);
}

std::optional<DataError> run(const QString& op, const QStringList& args)
{
    SmartBase pupils([](const QString& message) { std::printf("%s\n", qPrintable(message)); });
    pupils.OpenDatabase(ProgramFolder::pathFor(QStringLiteral("leerling.sdb")));
    const int count = args.value(args.size() - 1).toInt(); // always the last argument
    std::optional<DataError> error;
    for (int i = 1; !error && (i <= count || (count == 0 && op == u"toggle")); ++i) {
        if (op == u"append")
            error = ResultsFile::append(ResultsFile::path(), args[0], QStringLiteral("Europa"), 2, 20, 17);
        else if (op == u"add")
            error = pupils.AddRecord(QStringLiteral("     Nieuw %1").arg(i));
        else if (op == u"rename")
            error = pupils.ChangeRecord(i % args[0].toInt() + 1, QStringLiteral("     Leerling %1").arg(i));
        else if (op == u"toggle")
            error = rewrite(args[0], i % 2 == 1, pupils);
        if (!error && op == u"toggle" && i == 1) {
            std::printf("ready\n");
            std::fflush(stdout);
        }
    }
    return error;
}

// Clears what it has just read, as the teacher's results window does. The
// cleared bytes go to a file of their own: standard output would turn LF into
// CR LF on Windows.
std::optional<DataError> clearUntil(const QString& stopFile, const QString& clearedFile)
{
    QFile clearedBytes(clearedFile);
    if (!clearedBytes.open(QIODevice::WriteOnly))
        return DataError{DataError::Kind::WriteFailed, clearedFile, 0, clearedBytes.errorString()};
    while (!QFileInfo::exists(stopFile)) {
        const auto read = ResultsFile::readFile(ResultsFile::path());
        if (!std::holds_alternative<ResultsTable>(read))
            continue;
        const QByteArray seen = std::get<ResultsTable>(read).bytes();
        const auto cleared = ResultsFile::clear(ResultsFile::path(), seen);
        if (auto* error = std::get_if<DataError>(&cleared))
            return *error;
        if (std::holds_alternative<ResultsFile::Cleared>(cleared))
            clearedBytes.write(seen);
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() > 2 && args[0] == u"--start-at") {
        while (!QFileInfo::exists(args[1]))
            QThread::usleep(200);
        args = args.mid(2);
    }
    ProgramFolder::setPath(args.value(0));
    const auto error = args.value(1) == u"clear-until" ? clearUntil(args.value(2), args.value(3))
                                                       : run(args.value(1), args.mid(2));
    if (error)
        std::printf("%s\n", qPrintable(error->message()));
    return error ? 2 : 0;
}
