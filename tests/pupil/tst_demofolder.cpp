// The demo program folder that tools/run-demo puts beside the programs must be
// one the programs can use: both databases and every map they list.
#include "mapfile.h"
#include "programfolder.h"
#include "smartbase.h"

#include <QtTest>

using namespace velmora;

class TestDemoFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void databasesListPupilsAndTheMaps()
    {
        ProgramFolder::setPath(QStringLiteral(VELMORA_SOURCE_DIR "/demo"));
        QStringList notices;
        SmartBase db([&](const QString& m) { notices.append(m); });
        db.OpenDatabase(ProgramFolder::pathFor(QStringLiteral("leerling.sdb")));
        QCOMPARE(db.DatabaseTitle(), QStringLiteral("Leerlingendatabase"));
        const QStringList pupils = db.ListField(2);
        QVERIFY(pupils.size() >= 5);
        QVERIFY(pupils.contains(QStringLiteral("Zo\u00eb")));
        for (int record = 1; record <= pupils.size(); ++record)
            QCOMPARE(db.GetField(record, 1), QStringLiteral("     "));

        db.OpenDatabase(ProgramFolder::pathFor(QStringLiteral("kaarten.sdb")));
        QCOMPARE(db.DatabaseTitle(), QStringLiteral("Kaarten"));
        QCOMPARE(db.ListField(1), QStringList({QStringLiteral("Nederland").leftJustified(30),
                                               QStringLiteral("Europa").leftJustified(30),
                                               QStringLiteral("Oefenkaart").leftJustified(30)}));
        // Every listed map file is there to be played (the maps themselves are checked with the demo maps).
        for (const QString& krt : db.ListField(2))
            QVERIFY2(std::holds_alternative<MapFile::Contents>(MapFile::readFile(krt)), qPrintable(krt));
        QVERIFY(notices.isEmpty());
    }
};

QTEST_MAIN(TestDemoFolder)
#include "tst_demofolder.moc"
