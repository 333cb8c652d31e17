#include "cyclestates.h"
#include "dataopprocess.h"
#include "mapfile.h"
#include "passwordfile.h"
#include "registerfiles.h"
#include "testfolder.h"

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

#include <csignal>

using namespace velmora;

namespace {

constexpr int KillsPerFile = 80;

QByteArray pupilsBytes(bool stateB)
{
    QByteArray bytes = registerfiles::PupilHeader;
    bytes += CycleStates::pupilLine(stateB).toLatin1() + "\r\n";
    for (int i = 2; i <= CycleStates::Pupils; ++i)
        bytes += CycleStates::otherPupilLine(i).toLatin1() + "\r\n";
    return bytes;
}

// The map format itself is checked with the map file; here only old or new counts.
QByteArray mapBytes(bool stateB)
{
    return std::get<QByteArray>(MapFile::format(CycleStates::mapPicture(), CycleStates::mapItems(stateB),
                                                QStringLiteral("kaart.krt")));
}

QByteArray passwdBytes(bool stateB)
{
    return PasswordFile::encipher(CycleStates::password(stateB).toLatin1()) + "\r\n";
}

} // namespace

// A writer killed at any moment of a rewrite leaves the old or the new file,
// byte for byte, and no scratch file behind.
class TestCrashWrites : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void killedWriterLeavesOldOrNew_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("stateA");
        QTest::addColumn<QByteArray>("stateB");
        QTest::newRow("database") << QStringLiteral("db") << QStringLiteral("leerling.sdb")
                                  << pupilsBytes(false) << pupilsBytes(true);
        QTest::newRow("map") << QStringLiteral("map") << QStringLiteral("kaart.krt") << mapBytes(false)
                             << mapBytes(true);
        QTest::newRow("passwd") << QStringLiteral("passwd") << QStringLiteral("passwd") << passwdBytes(false)
                                << passwdBytes(true);
    }

    void killedWriterLeavesOldOrNew()
    {
        QFETCH(QString, what);
        QFETCH(QString, file);
        QFETCH(QByteArray, stateA);
        QFETCH(QByteArray, stateB);
        QVERIFY(stateA != stateB);
        TestFolder folder;
        folder.write(file, stateA);
        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("seed %u", seed);
        QRandomGenerator random(seed);

        const QRegularExpression scratchName(
            QStringLiteral("^%1\\.[A-Za-z0-9]{6}$").arg(QRegularExpression::escape(file)));
        int sawA = 0;
        int sawB = 0;
        int scratchFiles = 0;
        for (int kill = 1; kill <= KillsPerFile; ++kill) {
            const auto writer = DataOpProcess::start({folder.path(), QStringLiteral("toggle"), what});
            QVERIFY(writer->waitForStarted(30000));
            // Once the first rewrite is done the writer rewrites without pause: kill it anywhere in that.
            while (!writer->canReadLine())
                QVERIFY2(writer->waitForReadyRead(30000), "the writer never got going");
            QCOMPARE(writer->readLine(), QByteArray("ready\n"));
            QThread::usleep(random.bounded(15000u));
            ::kill(pid_t(writer->processId()), SIGKILL);
            QVERIFY(writer->waitForFinished(30000));
            QCOMPARE(writer->exitStatus(), QProcess::CrashExit);

            const QByteArray left = folder.read(file);
            QVERIFY2(left == stateA || left == stateB,
                     qPrintable(QStringLiteral("kill %1 left %2 bytes").arg(kill).arg(left.size())));
            (left == stateA ? sawA : sawB) += 1;
            // A kill between the scratch file getting its name and its rename
            // can leave that scratch file; it is never read as the data file.
            for (const QString& name :
                 QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
                if (name == file)
                    continue;
                QVERIFY2(scratchName.match(name).hasMatch(), qPrintable(name));
                ++scratchFiles;
                QVERIFY(QFile::remove(folder.file(name)));
            }
        }
        // The kills met the writer in both halves of its work.
        QVERIFY(sawA > 0);
        QVERIFY(sawB > 0);
        qInfo("%d kills: %d left the old file, %d the new one, %d a scratch file beside it", KillsPerFile,
              sawA, sawB, scratchFiles);
    }
};

QTEST_GUILESS_MAIN(TestCrashWrites)
#include "tst_crashwrites.moc"
