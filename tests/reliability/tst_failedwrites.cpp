#include "cyclestates.h"
#include "dataopprocess.h"
#include "mapfile.h"
#include "passwordfile.h"
#include "readonlyfolder.h"
#include "resultsfile.h"
#include "smartbase.h"
#include "testfolder.h"

#include <QDir>
#include <QtTest>

using namespace velmora;

namespace {

const QByteArray Pupils = "Leerlingendatabase\r\n 2 \r\nId\r\n 5 \r\nNaam\r\n 50 \r\n     Anna\r\n     Bram\r\n";
const QByteArray Map = "kaart.bmp\r\n1 s 10   20   Utrecht\r\n";
const QByteArray Passwd = "\xb7\xd4\xc8\r\n";
const QByteArray Results = "Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\n";
const QString Saved = QStringLiteral("kon niet worden opgeslagen. Er is niets veranderd.");

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
        QTest::newRow("change pupil") << QStringList{QStringLiteral("change"), QStringLiteral("1"), longName}
                                      << qint64(20);
        QTest::newRow("remove pupil") << QStringList{QStringLiteral("remove"), QStringLiteral("2")} << qint64(-20);
        QTest::newRow("add pupil") << QStringList{QStringLiteral("add"), longName} << qint64(20);
        QTest::newRow("save map") << QStringList{QStringLiteral("map"), QStringLiteral("kaart.krt"), QStringLiteral("a")}
                                  << qint64(100);
        QTest::newRow("passwd") << QStringList{QStringLiteral("passwd"), QStringLiteral("b")} << qint64(-1);
        QTest::newRow("append result") << QStringList{QStringLiteral("append"), QStringLiteral("Bram"),
                                                      QStringLiteral("Europa"), QStringLiteral("1"),
                                                      QStringLiteral("10"), QStringLiteral("9")}
                                       << qint64(12);
    }

    void fullDiskKeepsTheOldFile()
    {
        QFETCH(QStringList, operation);
        QFETCH(qint64, room);
        TestFolder folder;
        fillFolder(folder);
        const QString target = operation[0] == u"map" ? QStringLiteral("kaart.krt")
            : operation[0] == u"passwd"               ? QStringLiteral("passwd")
            : operation[0] == u"append"               ? QStringLiteral("toets.res")
                                                      : QStringLiteral("leerling.sdb");
        // The file size limit stands for the disk filling up part way through the write.
        const qint64 limit = QFileInfo(folder.file(target)).size() + room;
        const auto result = DataOpProcess::run(QStringList{QStringLiteral("--fsize-limit"), QString::number(limit),
                                                           folder.path()}
                                               + operation);
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
            ResultsFile::append(ResultsFile::path(), QStringLiteral("Bram"), QStringLiteral("Europa"), 1, 10, 9),
        };
        for (const auto& error : errors) {
            QVERIFY(error.has_value());
            QCOMPARE(error->kind, DataError::Kind::WriteFailed);
            QVERIFY2(error->message().contains(Saved), qPrintable(error->message()));
        }
        QCOMPARE(messages, QStringList());
        verifyUntouched(folder);
    }
};

QTEST_GUILESS_MAIN(TestFailedWrites)
#include "tst_failedwrites.moc"
