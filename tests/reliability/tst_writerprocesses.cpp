#include "registerfiles.h"
#include "testfolder.h"

#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

QList<QByteArray> numberedPupils(int count)
{
    QList<QByteArray> names;
    for (int i = 1; i <= count; ++i)
        names.append("Leerling " + QByteArray::number(-i));
    return names;
}

std::unique_ptr<QProcess> startWriter(const QStringList& args)
{
    auto writer = std::make_unique<QProcess>();
    writer->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Its messages end in CR LF on Windows.
    writer->start(QStringLiteral(VELMORA_DATAOP), args, QIODevice::ReadWrite | QIODevice::Text);
    return writer;
}

void verifyDone(QProcess& writer)
{
    QVERIFY(writer.waitForFinished(120000));
    QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
    QVERIFY2(writer.exitCode() == 0, writer.readAllStandardOutput().constData());
}

void touch(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

// Writers in processes of their own, as a classroom and its teachers run them.
class TestWriterProcesses : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Thirty pupils finish a test in the same second while the teacher clears the
    // results again and again, and two teachers change the pupil register: every
    // result arrives whole, exactly once (cleared or left in the file), and no
    // change to the register is lost.
    void classAndTeachersAtOnce()
    {
        constexpr int Pupils = 30, AppendsEach = 3, Registered = 40, Renames = 120, Additions = 40;
        TestFolder folder;
        QTemporaryDir gates;
        QList<QByteArray> registered = numberedPupils(Registered);
        folder.write(QStringLiteral("leerling.sdb"), registerfiles::pupils(registered));
        const QString go = gates.filePath(QStringLiteral("go"));
        const QString stop = gates.filePath(QStringLiteral("stop"));
        QList<QStringList> calls{
            {QStringLiteral("clear-until"), stop, gates.filePath(QStringLiteral("cleared"))},
            {QStringLiteral("add"), QString::number(Additions)},
            {QStringLiteral("rename"), QString::number(Registered), QString::number(Renames)}};
        QList<QByteArray> records;
        for (int pupil = 1; pupil <= Pupils; ++pupil) {
            // Names of very different lengths, the longest past the 4096 bytes a pipe keeps whole.
            const QString naam = QStringLiteral("Leerling %1 ").arg(pupil) +
                                 QString(pupil * pupil * 5, QChar(u'a' + pupil % 26));
            calls.append({QStringLiteral("append"), naam, QString::number(AppendsEach)});
            records.append(naam.toLatin1() + "\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\n");
        }
        std::vector<std::unique_ptr<QProcess>> writers;
        for (const QStringList& call : calls)
            writers.push_back(
                startWriter(QStringList{QStringLiteral("--start-at"), go, folder.path()} + call));
        for (const auto& writer : writers)
            QVERIFY(writer->waitForStarted(30000));
        touch(go);
        for (std::size_t i = 1; i < writers.size(); ++i)
            verifyDone(*writers[i]);
        touch(stop);
        verifyDone(*writers[0]);
        if (QTest::currentTestFailed())
            return;

        // Distinct records filling all bytes exactly leave no room for a torn or a lost one.
        QFile cleared(gates.filePath(QStringLiteral("cleared")));
        QVERIFY(cleared.open(QIODevice::ReadOnly));
        const QByteArray seen = cleared.readAll() + (folder.exists(QStringLiteral("toets.res"))
                                                         ? folder.read(QStringLiteral("toets.res"))
                                                         : QByteArray());
        qsizetype bytes = 0;
        for (const QByteArray& record : std::as_const(records)) {
            QCOMPARE(seen.count(record), AppendsEach);
            bytes += record.size() * AppendsEach;
        }
        QCOMPARE(seen.size(), bytes);

        for (int i = 1; i <= Renames; ++i)
            registered[i % Registered] = "Leerling " + QByteArray::number(i);
        for (int i = 1; i <= Additions; ++i)
            registered.append("Nieuw " + QByteArray::number(i));
        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")), registerfiles::pupils(registered));
    }

    // A writer killed at any moment of a rewrite leaves the old or the new file, byte for byte.
    void killedWriterLeavesOldOrNew_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("file");
        QTest::newRow("database") << QStringLiteral("db") << QStringLiteral("leerling.sdb");
        QTest::newRow("map") << QStringLiteral("map") << QStringLiteral("kaart.krt");
        QTest::newRow("passwd") << QStringLiteral("passwd") << QStringLiteral("passwd");
    }

    void killedWriterLeavesOldOrNew()
    {
        QFETCH(QString, what);
        QFETCH(QString, file);
        TestFolder folder;
        folder.write(QStringLiteral("leerling.sdb"), registerfiles::pupils(numberedPupils(200)));
        // The two contents the writer switches between: after its first rewrite and its second.
        QByteArray states[2];
        for (int rewrites : {1, 2}) {
            verifyDone(
                *startWriter({folder.path(), QStringLiteral("toggle"), what, QString::number(rewrites)}));
            states[rewrites - 1] = folder.read(file);
        }
        QVERIFY(states[0] != states[1]);
        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("seed %u", seed);
        QRandomGenerator random(seed);

        int saw[2] = {0, 0};
        for (int kill = 1; kill <= 80; ++kill) {
            const auto writer =
                startWriter({folder.path(), QStringLiteral("toggle"), what, QStringLiteral("0")});
            // Once the first rewrite is done the writer rewrites without pause: kill it anywhere in
            // the next few rewrites, however long one takes on this machine.
            QVERIFY2(writer->waitForReadyRead(30000), "the writer never got going");
            QCOMPARE(writer->readAll(), QByteArray("ready\n"));
            QThread::usleep(random.bounded(50000u));
            writer->kill();
            QVERIFY(writer->waitForFinished(30000));
            const QByteArray left = folder.read(file);
            QVERIFY2(left == states[0] || left == states[1],
                     qPrintable(QStringLiteral("kill %1 left %2 bytes").arg(kill).arg(left.size())));
            ++saw[left == states[1]];
        }
        // The kills met the writer in both halves of its work.
        QVERIFY(saw[0] > 0 && saw[1] > 0);
    }
};

QTEST_GUILESS_MAIN(TestWriterProcesses)
#include "tst_writerprocesses.moc"
