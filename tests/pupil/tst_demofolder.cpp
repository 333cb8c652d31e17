// The demo program folder that tools/run-demo puts beside the programs must be
// one the programs can use: both databases, the map file and its picture.
#include "mapfile.h"
#include "programfolder.h"
#include "smartbase.h"

#include <QImage>
#include <QtTest>

using namespace velmora;

class TestDemoFolder : public QObject
{
    Q_OBJECT

    const QString demo = QStringLiteral(VELMORA_SOURCE_DIR "/demo");

private Q_SLOTS:
    void initTestCase() { ProgramFolder::setPath(demo); }

    void databasesListPupilsAndTheMaps()
    {
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
        // Every listed map file is there to be played.
        for (const QString& krt : db.ListField(2))
            QVERIFY2(std::holds_alternative<MapFile::Contents>(MapFile::readFile(krt)), qPrintable(krt));
        QVERIFY(notices.isEmpty());
    }

    void mapItemsLieOnTheirPicture()
    {
        const MapFile::ReadResult result = MapFile::readFile(QStringLiteral("oefenkaart.krt"));
        QVERIFY2(std::holds_alternative<MapFile::Contents>(result),
                 qPrintable(std::get_if<DataError>(&result) ? std::get<DataError>(result).message() : QString()));
        const auto& map = std::get<MapFile::Contents>(result);
        QCOMPARE(map.picture, QStringLiteral("oefenkaart.bmp"));

        const QString picturePath = ProgramFolder::locate(map.picture);
        QImage picture(picturePath);
        QVERIFY(!picture.isNull());
        QFile bmp(picturePath);
        QVERIFY(bmp.open(QIODevice::ReadOnly));
        const QByteArray header = bmp.read(30);
        QCOMPARE(header.left(2), QByteArray("BM"));
        QCOMPARE(int(quint8(header[28])), 24); // bits per pixel

        // Levels in file order 1, 2, 3, each present; every kind used.
        QSet<QString> kinds;
        int previousLevel = 1;
        for (const Plaats& item : map.items) {
            QVERIFY(item.Niveau >= previousLevel && item.Niveau <= 3);
            previousLevel = item.Niveau;
            kinds.insert(item.kind());
            // The whole 17-pixel marker on the picture.
            QVERIFY2(item.Left >= 0 && item.Top >= 0, qPrintable(item.Naam));
            QVERIFY2((item.Left + 255) / 15 <= picture.width() && (item.Top + 255) / 15 <= picture.height(),
                     qPrintable(item.Naam));
        }
        QCOMPARE(previousLevel, 3);
        QCOMPARE(kinds, QSet<QString>({QStringLiteral("s"), QStringLiteral("d"), QStringLiteral("w"),
                                       QStringLiteral("g")}));
    }
};

QTEST_MAIN(TestDemoFolder)
#include "tst_demofolder.moc"
