#include "dataopprocess.h"
#include "registerfiles.h"
#include "smartbase.h"
#include "testfolder.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

using namespace velmora;

namespace {

// Starts the writers, lets them begin together, and waits until they are done.
void runTogether(const QString& gate, const QList<QStringList>& calls)
{
    std::vector<std::unique_ptr<QProcess>> writers;
    for (const QStringList& call : calls)
        writers.push_back(DataOpProcess::start(QStringList{QStringLiteral("--start-at"), gate} + call));
    for (const auto& writer : writers)
        QVERIFY(writer->waitForStarted(30000));
    QFile go(gate);
    QVERIFY(go.open(QIODevice::WriteOnly));
    go.close();
    for (const auto& writer : writers) {
        QVERIFY(writer->waitForFinished(120000));
        QCOMPARE(writer->exitStatus(), QProcess::NormalExit);
        QVERIFY2(writer->exitCode() == 0, writer->readAllStandardOutput().constData());
    }
}

// leerling.sdb holding these record lines.
QByteArray pupilFile(const QStringList& records)
{
    return registerfiles::PupilHeader + records.join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
}

// Pupils "Leerling -1" .. "Leerling -count", and the lines rename-pupils leaves:
// rename i renames pupil i % count + 1 to "Leerling i".
QStringList numberedPupils(int count, int renames = 0)
{
    QStringList records;
    for (int i = 1; i <= count; ++i)
        records.append(QStringLiteral("     Leerling %1").arg(-i));
    for (int i = 1; i <= renames; ++i)
        records[i % count] = QStringLiteral("     Leerling %1").arg(i);
    return records;
}

} // namespace

// A classroom finishing a test in the same second: many pupil processes append
// to toets.res at once, and every record must arrive whole, exactly once. And
// two teachers, or a teacher and the class, change one file at once: nothing
// either of them did may be lost, and no reader sees a half-written file.
class TestConcurrentAppend : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // One teacher adds pupils while another renames pupils.
    void additionsDuringRenames()
    {
        constexpr int Pupils = 40;
        constexpr int Renames = 120;
        constexpr int Additions = 40;
        TestFolder folder;
        QTemporaryDir gates;
        folder.write(QStringLiteral("leerling.sdb"), pupilFile(numberedPupils(Pupils)));

        runTogether(gates.filePath(QStringLiteral("go")),
                    {{folder.path(), QStringLiteral("rename-pupils"), QString::number(Renames),
                      QString::number(Pupils)},
                     {folder.path(), QStringLiteral("add-pupils"), QString::number(Additions)}});
        if (QTest::currentTestFailed())
            return;

        // Every addition follows the first forty, in order.
        QStringList records = numberedPupils(Pupils, Renames);
        for (int i = 1; i <= Additions; ++i)
            records.append(QStringLiteral("     Nieuw %1").arg(i));
        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")), pupilFile(records));
    }

    // The teacher clears the results again and again while a pupil's results come in:
    // every result is either among those a clear was shown or still in the file.
    void appendsDuringClears()
    {
        constexpr int Appends = 120;
        TestFolder folder;
        QTemporaryDir gates;
        const QString stop = gates.filePath(QStringLiteral("stop"));
        const QString go = gates.filePath(QStringLiteral("go"));
        const auto clearer = DataOpProcess::start(
            {QStringLiteral("--start-at"), go, folder.path(), QStringLiteral("clear-until"), stop});
        QVERIFY(clearer->waitForStarted(30000));
        runTogether(go, {{folder.path(), QStringLiteral("append"), QStringLiteral("Anna"),
                          QStringLiteral("Europa"), QStringLiteral("2"), QStringLiteral("20"),
                          QStringLiteral("17"), QString::number(Appends)}});
        QFile stopFile(stop);
        QVERIFY(stopFile.open(QIODevice::WriteOnly));
        QVERIFY(clearer->waitForFinished(60000));
        QCOMPARE(clearer->exitCode(), 0);

        int cleared = 0;
        for (const QByteArray& line : clearer->readAllStandardOutput().split('\n')) {
            if (line.startsWith("cleared "))
                cleared += line.mid(8).toInt();
        }
        const QByteArray record = "Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\n";
        const QByteArray left = folder.exists(QStringLiteral("toets.res"))
                                    ? folder.read(QStringLiteral("toets.res"))
                                    : QByteArray();
        QCOMPARE(left, record.repeated(left.size() / record.size()));
        QCOMPARE(cleared + left.size() / record.size(), Appends);
    }

    void thirtyPupilsFinishAtOnce()
    {
        constexpr int Pupils = 30;
        constexpr int AppendsEach = 3;
        TestFolder folder;
        QTemporaryDir gates;
        qsizetype before = 0;
        for (int round = 1; round <= 3; ++round) {
            QList<QByteArray> records;
            QList<QStringList> calls;
            for (int pupil = 1; pupil <= Pupils; ++pupil) {
                // Names of very different lengths, some far longer than a pipe buffer.
                const QString naam = QStringLiteral("Leerling %1.%2 ").arg(round).arg(pupil) +
                                     QString(pupil * pupil * 5, QChar(u'a' + pupil % 26));
                const int goed = pupil % 21;
                records.append(naam.toLatin1() + "\r\nEuropa\r\n 2 \r\n 20 \r\n " + QByteArray::number(goed) +
                               " \r\n");
                calls.append({folder.path(), QStringLiteral("append"), naam, QStringLiteral("Europa"),
                              QStringLiteral("2"), QStringLiteral("20"), QString::number(goed),
                              QString::number(AppendsEach)});
            }
            runTogether(gates.filePath(QStringLiteral("go-%1").arg(round)), calls);
            if (QTest::currentTestFailed())
                return;
            // Earlier rounds stay as they were; this round adds exactly its records, each whole
            // (distinct records filling the added bytes exactly leave no room for a torn one).
            const QByteArray data = folder.read(QStringLiteral("toets.res"));
            const QByteArray added = data.mid(before);
            qsizetype expectedBytes = 0;
            for (const QByteArray& record : std::as_const(records)) {
                QCOMPARE(added.count(record), AppendsEach);
                expectedBytes += record.size() * AppendsEach;
            }
            QCOMPARE(added.size(), expectedBytes);
            before = data.size();
        }
    }

    // The pupil program lists leerling.sdb while the teacher program rewrites it:
    // the list must never find the file missing or half written.
    void listingWhileTheTeacherRewrites()
    {
        constexpr int Pupils = 40;
        constexpr int Rewrites = 200;
        TestFolder folder;
        folder.write(QStringLiteral("leerling.sdb"), pupilFile(numberedPupils(Pupils)));
        const QString path = folder.file(QStringLiteral("leerling.sdb"));

        const auto writer =
            DataOpProcess::start({folder.path(), QStringLiteral("rename-pupils"), QString::number(Rewrites)});
        QVERIFY(writer->waitForStarted(30000));

        const QRegularExpression wholeName(QStringLiteral("^Leerling -?\\d+$"));
        QStringList messages;
        int reads = 0;
        while (writer->state() != QProcess::NotRunning) {
            SmartBase db([&messages](const QString& message) { messages.append(message); });
            db.OpenDatabase(path);
            QCOMPARE(messages, QStringList());
            QCOMPARE(db.DatabaseTitle(), QStringLiteral("Leerlingendatabase"));
            QCOMPARE(db.RecordCount(), Pupils);
            const QStringList names = db.ListField(2);
            QCOMPARE(names.size(), Pupils);
            for (const QString& name : names)
                QVERIFY2(wholeName.match(name).hasMatch(), qPrintable(name));

            ++reads;
            QCoreApplication::processEvents();
            writer->waitForFinished(0);
        }
        QCOMPARE(writer->exitStatus(), QProcess::NormalExit);
        QCOMPARE(writer->exitCode(), 0);
        QVERIFY(reads > 0);
        qInfo("%d listings during %d rewrites", reads, Rewrites);

        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")), pupilFile(numberedPupils(Pupils, Rewrites)));
    }
};

QTEST_GUILESS_MAIN(TestConcurrentAppend)
#include "tst_concurrentappend.moc"
