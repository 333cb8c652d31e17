#include "cyclestates.h"
#include "dataopprocess.h"
#include "mapfile.h"
#include "passwordfile.h"
#include "readonlyfolder.h"
#include "registerfiles.h"
#include "resultsfile.h"
#include "smartbase.h"
#include "testfolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace velmora;

namespace {

const QByteArray Pupils = registerfiles::pupils({"Anna", "Bram"});
const QByteArray Map = "kaart.bmp\r\n1 s 10   20   Utrecht\r\n";
const QByteArray Passwd = "\xb7\xd4\xc8\r\n";
const QByteArray Results = "Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\n";
const QString Saved = QStringLiteral("kon niet worden opgeslagen. Er is niets veranderd.");
mode_t kindOf(const QString& path)
{
    struct stat info
    {
    };
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? (info.st_mode & S_IFMT) : 0;
}

void fillFolder(const TestFolder& folder)
{
    folder.write(QStringLiteral("leerling.sdb"), Pupils);
    folder.write(QStringLiteral("kaart.krt"), Map);
    folder.write(QStringLiteral("passwd"), Passwd);
    folder.write(QStringLiteral("toets.res"), Results);
}

void verifyUntouched(const TestFolder& folder)
{
    QCOMPARE(folder.read(QStringLiteral("leerling.sdb")), Pupils);
    QCOMPARE(folder.read(QStringLiteral("kaart.krt")), Map);
    QCOMPARE(folder.read(QStringLiteral("passwd")), Passwd);
    QCOMPARE(folder.read(QStringLiteral("toets.res")), Results);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);
}

} // namespace

// A write that cannot be completed (a full disk, a read-only folder) leaves
// the old file whole and says so.
class TestFailedWrites : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<QStringList>("operation");
        QTest::addColumn<qint64>("room");
        // room: how many bytes the writer may still add beyond the file it changes.
        const QString longName = QStringLiteral("     ") + QString(48, u'x');
        QTest::newRow("change pupil")
            << QStringList{QStringLiteral("change"), QStringLiteral("1"), longName} << qint64(20);
        QTest::newRow("remove pupil")
            << QStringList{QStringLiteral("remove"), QStringLiteral("2")} << qint64(-20);
        QTest::newRow("add pupil") << QStringList{QStringLiteral("add"), longName} << qint64(20);
        QTest::newRow("save map") << QStringList{QStringLiteral("map"), QStringLiteral("kaart.krt"),
                                                 QStringLiteral("a")}
                                  << qint64(100);
        QTest::newRow("passwd") << QStringList{QStringLiteral("passwd"), QStringLiteral("b")} << qint64(-1);
        QTest::newRow("append result")
            << QStringList{QStringLiteral("append"), QStringLiteral("Bram"), QStringLiteral("Europa"),
                           QStringLiteral("1"),      QStringLiteral("10"),   QStringLiteral("9")}
            << qint64(12);
    }

    void fullDiskKeepsTheOldFile()
    {
        QFETCH(QStringList, operation);
        QFETCH(qint64, room);
        TestFolder folder;
        fillFolder(folder);
        const QString target = operation[0] == u"map"      ? QStringLiteral("kaart.krt")
                               : operation[0] == u"passwd" ? QStringLiteral("passwd")
                               : operation[0] == u"append" ? QStringLiteral("toets.res")
                                                           : QStringLiteral("leerling.sdb");
        // The file size limit stands for the disk filling up part way through the write.
        const qint64 limit = QFileInfo(folder.file(target)).size() + room;
        const auto result = DataOpProcess::run(
            QStringList{QStringLiteral("--fsize-limit"), QString::number(limit), folder.path()} + operation);
        QVERIFY(!result.crashed);
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(QString::fromLatin1(result.output).contains(Saved), result.output.constData());
        verifyUntouched(folder);

        // With room enough the same call succeeds: the limit was what stopped it.
        const QByteArray old = folder.read(target);
        const auto unlimited = DataOpProcess::run(QStringList{folder.path()} + operation);
        QCOMPARE(unlimited.exitCode, 0);
        QVERIFY(folder.read(target) != old);
    }

    void readOnlyFolderKeepsTheOldFile()
    {
        TestFolder folder;
        fillFolder(folder);
        ReadOnlyFolder readOnly(folder.path());
        if (!readOnly.ok())
            QSKIP("this file system cannot make a folder read-only for root");

        QStringList messages;
        SmartBase db([&messages](const QString& message) { messages.append(message); });
        db.OpenDatabase(folder.file(QStringLiteral("leerling.sdb")));
        QCOMPARE(db.RecordCount(), 2);
        std::optional<DataError> errors[] = {
            db.ChangeRecord(1, QStringLiteral("     Anouk")),
            db.RemoveRecord(1),
            db.AddRecord(QStringLiteral("     Cas")),
            MapFile::write(folder.file(QStringLiteral("kaart.krt")), QStringLiteral("kaart.bmp"),
                           CycleStates::mapItems(false)),
            PasswordFile::writeLine(PasswordFile::path(), PasswordFile::encipher("nieuw")),
            ResultsFile::append(ResultsFile::path(), QStringLiteral("Bram"), QStringLiteral("Europa"), 1, 10,
                                9),
            std::get<DataError>(ResultsFile::clear(ResultsFile::path(), Results)),
        };
        for (const auto& error : errors) {
            QVERIFY(error.has_value());
            QCOMPARE(error->kind, DataError::Kind::WriteFailed);
            QVERIFY2(error->message().contains(Saved), qPrintable(error->message()));
        }
        QCOMPARE(messages, QStringList());
        verifyUntouched(folder);
    }

    // Anyone who can write in the folder can put a link or a FIFO there. A
    // link that leads out of the folder is never written through; a FIFO or
    // device is refused at once instead of waited on or read without end.
    void hostileFilesAreRefused_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("kind"); // a "link" out of the folder, a "fifo", or a link to a "device"
        QTest::addColumn<QStringList>("operations");
        const QString append = QStringLiteral("append Bram Europa 1 10 9");
        QTest::newRow("leerling.sdb, link")
            << QStringLiteral("leerling.sdb") << QStringLiteral("link")
            << QStringList{QStringLiteral("add Cas"), QStringLiteral("change 1 Cas"),
                           QStringLiteral("remove 1"), QStringLiteral("create Leerlingendatabase")};
        QTest::newRow("map file, link") << QStringLiteral("kaart.krt") << QStringLiteral("link")
                                        << QStringList{QStringLiteral("map kaart.krt a")};
        QTest::newRow("toets.res, link") << QStringLiteral("toets.res") << QStringLiteral("link")
                                         << QStringList{append, QStringLiteral("clear")};
        QTest::newRow("passwd, link")
            << QStringLiteral("passwd") << QStringLiteral("link") << QStringList{QStringLiteral("passwd b")};
        QTest::newRow("leerling.sdb, FIFO") << QStringLiteral("leerling.sdb") << QStringLiteral("fifo")
                                            << QStringList{QStringLiteral("create Leerlingendatabase")};
        QTest::newRow("map file, FIFO")
            << QStringLiteral("kaart.krt") << QStringLiteral("fifo")
            << QStringList{QStringLiteral("map kaart.krt a"), QStringLiteral("read-map kaart.krt")};
        QTest::newRow("toets.res, FIFO") << QStringLiteral("toets.res") << QStringLiteral("fifo")
                                         << QStringList{append, QStringLiteral("clear")};
        QTest::newRow("passwd, FIFO") << QStringLiteral("passwd") << QStringLiteral("fifo")
                                      << QStringList{QStringLiteral("passwd b"), QStringLiteral("login")};
        QTest::newRow("map file, device") << QStringLiteral("kaart.krt") << QStringLiteral("device")
                                          << QStringList{QStringLiteral("read-map kaart.krt")};
    }

    void hostileFilesAreRefused()
    {
        QFETCH(QString, file);
        QFETCH(QString, kind);
        QFETCH(QStringList, operations);
        TestFolder folder;
        QTemporaryDir elsewhere;
        const QString report = QDir(elsewhere.path()).filePath(QStringLiteral("rapport.txt"));
        const QByteArray reportBytes = "Rapport van Anna\r\nrekenen 8\r\n";
        {
            QFile outside(report);
            QVERIFY(outside.open(QIODevice::WriteOnly) && outside.write(reportBytes) == reportBytes.size());
        }
        const QString path = folder.file(file);
        if (kind == u"fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0666), 0);
        else
            QVERIFY(QFile::link(kind == u"device" ? QStringLiteral("/dev/zero") : report, path));
        const mode_t before = kindOf(path);
        const QString says = kind == u"link"
                                 ? QStringLiteral("verwijst naar een plaats buiten de programmamap")
                                 : QStringLiteral("is geen gewoon bestand");

        for (const QString& operation : operations) {
            QStringList call = operation.split(u' ');
            call.prepend(folder.path());
            const auto result = DataOpProcess::run(call);
            const QString output = QString::fromUtf8(result.output);
            // A process that waited on the FIFO would not have ended by itself.
            QVERIFY2(!result.crashed && result.exitCode == 2,
                     qPrintable(operation + QStringLiteral(": ") + output));
            QVERIFY2(output.contains(says), qPrintable(output));
            QCOMPARE(kindOf(path), before);
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                     QStringList{file});
            QFile outside(report);
            QVERIFY(outside.open(QIODevice::ReadOnly));
            QCOMPARE(outside.readAll(), reportBytes);
        }
    }
};

QTEST_GUILESS_MAIN(TestFailedWrites)
#include "tst_failedwrites.moc"
