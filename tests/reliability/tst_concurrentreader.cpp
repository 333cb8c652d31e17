#include "dataopprocess.h"
#include "registerfiles.h"
#include "smartbase.h"
#include "testfolder.h"
#include "textlines.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

using namespace velmora;

namespace {

constexpr int Pupils = 40;
constexpr int Rewrites = 500;
const QByteArray& Header = registerfiles::PupilHeader;

} // namespace

// The pupil program lists leerling.sdb while the teacher program rewrites it:
// the list must never find the file missing or half written.
class TestConcurrentReader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void listingWhileTheTeacherRewrites()
    {
        TestFolder folder;
        QByteArray initial = Header;
        QStringList records;
        for (int i = 1; i <= Pupils; ++i)
            records.append(QStringLiteral("     Leerling %1").arg(-i));
        folder.write(QStringLiteral("leerling.sdb"), Header + records.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
        const QString path = folder.file(QStringLiteral("leerling.sdb"));

        const auto writer = DataOpProcess::start(
            {folder.path(), QStringLiteral("rename-pupils"), QString::number(Rewrites)});
        QVERIFY(writer->waitForStarted(30000));

        const QRegularExpression wholeName(QStringLiteral("^Leerling -?\\d+$"));
        const QRegularExpression wholeLine(QStringLiteral("^     Leerling -?\\d+$"));
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

            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray data = file.readAll();
            QVERIFY(data.startsWith(Header));
            QVERIFY(data.endsWith("\r\n"));
            const QList<QByteArrayView> lines = TextLines::split(QByteArrayView(data).sliced(Header.size()));
            QCOMPARE(lines.size(), Pupils);
            for (QByteArrayView line : lines)
                QVERIFY2(wholeLine.match(QString::fromLatin1(line)).hasMatch(), line.toByteArray().constData());
            ++reads;
            QCoreApplication::processEvents();
            writer->waitForFinished(0);
        }
        QCOMPARE(writer->exitStatus(), QProcess::NormalExit);
        QCOMPARE(writer->exitCode(), 0);
        QVERIFY(reads > 0);
        qInfo("%d listings during %d rewrites", reads, Rewrites);

        // Rewrite i renamed pupil i % 40 + 1 to "Leerling i": the last of them stand.
        for (int i = 1; i <= Rewrites; ++i)
            records[i % Pupils] = QStringLiteral("     Leerling %1").arg(i);
        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")),
                 Header + records.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    }
};

QTEST_GUILESS_MAIN(TestConcurrentReader)
#include "tst_concurrentreader.moc"
