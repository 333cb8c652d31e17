#include "databasefile.h"
#include "mapfile.h"
#include "passwordfile.h"
#include "programfolder.h"
#include "readonlyfolder.h"
#include "registerfiles.h"
#include "resultsfile.h"
#include "smartbase.h"
#include "testfolder.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace velmora;

namespace {

enum Op { Change, Remove, Add, SaveMap, WritePasswd, Append, Clear, Create, ReadMap, Login };
const char* const OpNames[] = {"change pupil", "remove pupil",  "add pupil",     "save map",
                               "write passwd", "append result", "clear results", "create register",
                               "read map",     "log in"};
const QString Files[] = {QStringLiteral("leerling.sdb"), QStringLiteral("kaart.krt"),
                         QStringLiteral("passwd"), QStringLiteral("toets.res")};
const QByteArray Bytes[] = {registerfiles::pupils({"Anna", "Bram"}), "kaart.bmp\r\n1 s 10   20   Utrecht\r\n",
                            "\xb7\xd4\xc8\r\n", "Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\n"};
// Which of the files above each operation writes or reads.
const int FileOf[] = {0, 0, 0, 1, 2, 3, 3, 0, 1, 2};

template <typename... T> std::optional<DataError> errorOf(const std::variant<T...>& result)
{
    const auto* error = std::get_if<DataError>(&result);
    return error ? std::optional(*error) : std::nullopt;
}

std::optional<DataError> perform(int op)
{
    const QString register_ = ProgramFolder::pathFor(Files[0]);
    SmartBase db([](const QString&) {});
    db.OpenDatabase(register_);
    const QString longName = QStringLiteral("     ") + QString(48, u'x');
    switch (op) {
    case Change:
        return db.ChangeRecord(1, longName);
    case Remove:
        return db.RemoveRecord(2);
    case Add:
        return db.AddRecord(longName);
    case SaveMap:
        return MapFile::write(
            ProgramFolder::pathFor(Files[1]), QStringLiteral("kaart.bmp"),
            QList<Plaats>(40, Plaats{1, QStringLiteral("s"), 10, 20, QStringLiteral("Utrecht")}));
    case WritePasswd:
        return PasswordFile::writeLine(PasswordFile::path(), PasswordFile::encipher("een nieuw wachtwoord"));
    case Append:
        return ResultsFile::append(ResultsFile::path(), QStringLiteral("Bram"), QStringLiteral("Europa"), 1,
                                   10, 9);
    case Clear:
        return errorOf(ResultsFile::clear(ResultsFile::path(), Bytes[3]));
    case Create:
        return errorOf(DatabaseFile::create(register_, QStringLiteral("Leerlingendatabase"),
                                            {{QStringLiteral("Id"), 5}, {QStringLiteral("Naam"), 50}}));
    case ReadMap:
        return errorOf(MapFile::readFile(Files[1]));
    }
    const auto error = PasswordFile::ensureExists(PasswordFile::path());
    return error ? error : errorOf(PasswordFile::readLine(PasswordFile::path()));
}

// The file size limit stands for the disk filling up part way through a write.
std::optional<DataError> performOnFullDisk(int op, rlim_t limit)
{
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const rlimit full{limit, old.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &full);
    auto error = perform(op);
    ::setrlimit(RLIMIT_FSIZE, &old);
    return error;
}

} // namespace

// A write that cannot be completed leaves every file as it was and says so: in a
// read-only folder, on a full disk, and where anyone who can write in the folder
// put a link leading out of it, a FIFO or a link to a device (refused at once
// instead of written through, waited on or read without end).
class TestFailedWrites : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }

    void failedWritesLoseNothing_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<qint64>("room"); // full disk: bytes left beyond the file's size, too few
        const qint64 room[] = {20, -20, 20, 100, 5, 12};
        for (int op = Change; op <= Clear; ++op) {
            QTest::addRow("%s, read-only folder", OpNames[op])
                << op << QStringLiteral("read-only") << qint64(0);
            if (op != Clear)
                QTest::addRow("%s, full disk", OpNames[op]) << op << QStringLiteral("full disk") << room[op];
        }
        for (int op : {Change, Remove, Add, Create, SaveMap, WritePasswd, Append, Clear}) {
            QTest::addRow("%s, link out of the folder", OpNames[op])
                << op << QStringLiteral("link") << qint64(0);
            QTest::addRow("%s, hard link", OpNames[op]) << op << QStringLiteral("hard link") << qint64(0);
        }
        for (int op : {SaveMap, Append, Clear})
            QTest::addRow("%s, link in the folder", OpNames[op])
                << op << QStringLiteral("link in the folder") << qint64(0);
        for (int op : {Create, SaveMap, ReadMap, WritePasswd, Login, Append, Clear})
            QTest::addRow("%s, FIFO", OpNames[op]) << op << QStringLiteral("fifo") << qint64(0);
        QTest::addRow("read map, device") << int(ReadMap) << QStringLiteral("device") << qint64(0);
    }

    void failedWritesLoseNothing()
    {
        QFETCH(int, op);
        QFETCH(QString, kind);
        QFETCH(qint64, room);
        TestFolder folder;
        for (int i = 0; i < 4; ++i)
            folder.write(Files[i], Bytes[i]);
        const QString target = folder.file(Files[FileOf[op]]);
        QTemporaryDir elsewhere;
        const QString outside = elsewhere.filePath(QStringLiteral("rapport.txt"));
        QVERIFY(QFile::rename(target, outside));
        const bool hostile = kind != u"read-only" && kind != u"full disk";
        if (kind == u"fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0666), 0);
        else if (kind == u"hard link")
            QCOMPARE(::link(QFile::encodeName(outside).constData(), QFile::encodeName(target).constData()),
                     0);
        else if (kind == u"link in the folder")
            QVERIFY(QFile::link(folder.file(Files[(FileOf[op] + 1) % 4]), target));
        else if (hostile)
            QVERIFY(QFile::link(kind == u"link" ? outside : QStringLiteral("/dev/zero"), target));
        else
            QVERIFY(QFile::copy(outside, target));
        const auto typeOf = [&] {
            return std::pair(QFileInfo(target).isSymLink(), QFileInfo(target).isFile());
        };
        const auto type = typeOf();

        std::optional<DataError> error;
        if (kind == u"read-only") {
            ReadOnlyFolder readOnly(folder.path());
            if (!readOnly.ok())
                QSKIP("this file system cannot make a folder read-only for root");
            error = perform(op);
        } else {
            error = kind == u"full disk" ? performOnFullDisk(op, rlim_t(Bytes[FileOf[op]].size() + room))
                                         : perform(op);
        }
        const QString says = kind.contains(u"link") ? QStringLiteral("is een koppeling (link)")
                             : hostile              ? QStringLiteral("is geen gewoon bestand")
                             : kind == u"read-only"
                                 ? QStringLiteral("U heeft geen recht om het bestand")
                                 : QStringLiteral("kon niet worden opgeslagen. Er is niets veranderd.");
        QVERIFY2(error && error->message().contains(says), error ? qPrintable(error->message()) : "no error");

        // Every file as it was, no scratch file left beside them, nothing written through a link.
        QCOMPARE(typeOf(), type);
        for (int i = 0; i < 4; ++i) {
            if (!hostile || i != FileOf[op])
                QCOMPARE(folder.read(Files[i]), Bytes[i]);
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name),
                 (QStringList{Files[1], Files[0], Files[2], Files[3]}));
        QFile report(outside);
        QVERIFY(report.open(QIODevice::ReadOnly));
        QCOMPARE(report.readAll(), Bytes[FileOf[op]]);

        // A file the write was to create is not left behind, empty, when the write fails.
        if (kind == u"full disk" && op == SaveMap) {
            QVERIFY(QFile::remove(target));
            QVERIFY(performOnFullDisk(op, 100));
            QVERIFY(!QFileInfo::exists(target));
            QVERIFY(QFile::copy(outside, target));
        }

        // Once the folder is writable and the disk has room, the same write goes through.
        if (!hostile) {
            QVERIFY(!perform(op));
            QVERIFY(folder.read(Files[FileOf[op]]) != Bytes[FileOf[op]]);
        }
    }
};

QTEST_GUILESS_MAIN(TestFailedWrites)
#include "tst_failedwrites.moc"
