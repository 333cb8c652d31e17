#include "dataopprocess.h"
#include "testfolder.h"
#include "textlines.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

using namespace velmora;

// A classroom finishing a test in the same second: many pupil processes append
// to toets.res at once, and every record must arrive whole, exactly once.
class TestConcurrentAppend : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void thirtyPupilsFinishAtOnce()
    {
        constexpr int Rounds = 20;
        constexpr int Pupils = 30;
        constexpr int AppendsEach = 3;
        TestFolder folder;
        QTemporaryDir gates;
        const QString results = folder.file(QStringLiteral("toets.res"));
        qsizetype before = 0;

        for (int round = 1; round <= Rounds; ++round) {
            const QString go = gates.filePath(QStringLiteral("go-%1").arg(round));
            QHash<QByteArray, int> expected;
            qsizetype expectedBytes = 0;
            std::vector<std::unique_ptr<QProcess>> writers;
            for (int pupil = 1; pupil <= Pupils; ++pupil) {
                // Names of very different lengths, some far longer than a pipe buffer.
                const QString naam = QStringLiteral("Leerling %1.%2 ").arg(round).arg(pupil)
                    + QString(pupil * pupil * 5, QChar(u'a' + pupil % 26));
                const QString kaart = QStringLiteral("Europa, kaart %1").arg(pupil);
                const int niveau = pupil % 3 + 1;
                const int goed = pupil % 21;
                const QByteArray record = naam.toLatin1() + "\r\n" + kaart.toLatin1() + "\r\n "
                    + QByteArray::number(niveau) + " \r\n 20 \r\n " + QByteArray::number(goed) + " \r\n";
                expected[record] += AppendsEach;
                expectedBytes += record.size() * AppendsEach;
                writers.push_back(DataOpProcess::start(
                    {QStringLiteral("--start-at"), go, folder.path(), QStringLiteral("append"), naam, kaart,
                     QString::number(niveau), QStringLiteral("20"), QString::number(goed),
                     QString::number(AppendsEach)}));
            }
            for (const auto& writer : writers)
                QVERIFY(writer->waitForStarted(30000));
            QFile gate(go);
            QVERIFY(gate.open(QIODevice::WriteOnly));
            gate.close();
            for (const auto& writer : writers) {
                QVERIFY(writer->waitForFinished(60000));
                QCOMPARE(writer->exitStatus(), QProcess::NormalExit);
                QCOMPARE(writer->exitCode(), 0);
            }

            // The earlier rounds stay as they were; this round adds exactly its records.
            const QByteArray data = folder.read(QStringLiteral("toets.res"));
            QCOMPARE(data.size() - before, expectedBytes);
            const QByteArray added = data.mid(before);
            const QList<QByteArrayView> lines = TextLines::split(added);
            QCOMPARE(lines.size(), Pupils * AppendsEach * 5);
            for (qsizetype i = 0; i < lines.size(); i += 5) {
                QByteArray record;
                for (qsizetype j = i; j < i + 5; ++j)
                    record += lines[j].toByteArray() + "\r\n";
                QVERIFY2(expected.value(record) > 0, qPrintable(QStringLiteral("round %1: torn or unknown record at line %2")
                                                                     .arg(round).arg(i + 1)));
                --expected[record];
            }
            QVERIFY(added.endsWith("\r\n"));
            before = data.size();
        }
        QCOMPARE(QFile(results).size(), before);
    }
};

QTEST_GUILESS_MAIN(TestConcurrentAppend)
#include "tst_concurrentappend.moc"
