#include "mapfile.h"
#include "programfolder.h"
#include "smartbase.h"
#include "testfolder.h"

#include <QBuffer>
#include <QImage>
#include <QtTest>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::DataError::Kind)

namespace {

MapFile::ReadResult readBytes(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    return MapFile::read(buffer, QStringLiteral("test.krt"));
}

Plaats item(int niveau, const char* soort, int top, int left, const QString& naam = QStringLiteral("A"))
{
    return Plaats{niveau, QString::fromLatin1(soort), top, left, naam};
}

} // namespace

class TestMapFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readsAndWritesFixedColumns()
    {
        QCOMPARE(MapFile::itemLine(item(1, "s", 1234, 567, QStringLiteral("Utrecht"))),
                 QByteArray("1 s 1234 567  Utrecht"));
        QCOMPARE(MapFile::itemLine(item(1, "s", 12345, 23456, QStringLiteral("Utrecht"))),
                 QByteArray("1 s 1234523456Utrecht"));
        QCOMPARE(MapFile::itemLine(item(2, " w", -120, -12, QStringLiteral("  Rijn  "))),
                 QByteArray("2 w -120 -12  Rijn"));

        // Unquoted, the picture name ends at a comma and the rest is read as the first item.
        const auto result = readBytes("europa.bmp,1 s 1234 567  Utrecht\r\n1 s -120 -12  X\r\n"
                                      "2 d 1234523456Den Haag, stad  \r\n3 g 5    6    \r\n");
        const auto& map = std::get<MapFile::Contents>(result);
        QCOMPARE(map.picture, QStringLiteral("europa.bmp"));
        QCOMPARE(map.items, (QList<Plaats>{item(1, "s ", 1234, 567, QStringLiteral("Utrecht")),
                                           item(1, "s ", -120, -12, QStringLiteral("X")),
                                           item(2, "d ", 12345, 23456, QStringLiteral("Den Haag, stad  ")),
                                           item(3, "g ", 5, 6, QString())}));
        QCOMPARE(map.items[3].kind().letter(), QStringLiteral("g"));
        Plaatsen table;
        QCOMPARE(MapFile::fill(map, table), 4);
        QCOMPARE(table[4].Top, 5);
        // Blank lines are skipped, LF-only files read.
        QCOMPARE(std::get<MapFile::Contents>(readBytes("k.bmp\n\n1 s 10   20   A\n   \n")).items.size(), 1);

        TestFolder folder;
        const QList<Plaats> items = {item(3, "g", 30, 30, QStringLiteral("Veluwe")),
                                     item(1, "s", 10, 10, QStringLiteral("  Utrecht ")),
                                     item(0, "s", 5, 5, QStringLiteral("Zonder niveau")),
                                     item(2, "w ", 20, 20, QStringLiteral("Rijn")),
                                     item(1, "d", 11, 11, QString())};
        QVERIFY(!MapFile::write(folder.file(QStringLiteral("nl.krt")), QStringLiteral("nl.bmp"), items));
        QCOMPARE(folder.read(QStringLiteral("nl.krt")),
                 QByteArray("nl.bmp\r\n1 s 10   10   Utrecht\r\n1 d 11   11   \r\n2 w 20   20   Rijn\r\n"
                            "3 g 30   30   Veluwe\r\n"));
        QCOMPARE(std::get<MapFile::Contents>(MapFile::readFile(QStringLiteral("NL.KRT  "))).items.size(), 4);

        // The edges of the positions a file holds are written and read back.
        const QList<Plaats> edges = {item(1, "s ", MapFile::MaxCoordinate, MapFile::MinCoordinate),
                                     item(1, "d ", MapFile::MinCoordinate, MapFile::MaxCoordinate)};
        QVERIFY(!MapFile::write(folder.file(QStringLiteral("nl.krt")), QStringLiteral("nl.bmp"), edges));
        QCOMPARE(std::get<MapFile::Contents>(MapFile::readFile(QStringLiteral("nl.krt"))).items, edges);
        QVERIFY(!MapFile::startNew(folder.file(QStringLiteral("leeg.krt")), QStringLiteral("leeg.bmp")));
        QCOMPARE(folder.read(QStringLiteral("leeg.krt")), QByteArray("leeg.bmp\r\n"));
    }

    void malformedFilesAreRefusedWithTheirLine()
    {
        QByteArray many = "k.bmp\r\n";
        for (int i = 0; i < 500; ++i)
            many += "1 s 10   20   A\r\n";
        QCOMPARE(std::get<MapFile::Contents>(readBytes(many)).items.size(), 500);
        for (const auto& [bytes, kind, line] :
             {std::tuple{QByteArray("k.bmp\r\n1 s 10   20   A\r\nx s 10   20   B\r\n"),
                         DataError::Kind::Malformed, 3},
              {QByteArray("k.bmp\r\n1 s 1o   20   A\r\n"), DataError::Kind::Malformed, 2},
              {QByteArray("k.bmp\r\n1 s 10\r\n"), DataError::Kind::Malformed, 2},
              {QByteArray("oude kaart, 1990.bmp\r\n"), DataError::Kind::Malformed, 1},
              {QByteArray(), DataError::Kind::Malformed, 1},
              {many + "1 s 10   20   A\r\n", DataError::Kind::TooManyItems, 502}}) {
            const DataError error = std::get<DataError>(readBytes(bytes));
            QCOMPARE(error.kind, kind);
            QCOMPARE(error.line, line);
            QCOMPARE(error.file, QStringLiteral("test.krt"));
        }
        TestFolder folder;
        QCOMPARE(std::get<DataError>(MapFile::readFile(QStringLiteral("weg.krt"))).kind,
                 DataError::Kind::Missing);
        QCOMPARE(std::get<DataError>(MapFile::readFile(QStringLiteral("../nl.krt"))).kind,
                 DataError::Kind::UnusableName);
    }

    // Nothing is written that the reader would refuse or take back changed.
    void refusesWhatItsReaderWouldNotTakeBack_data()
    {
        QTest::addColumn<QList<Plaats>>("items");
        QTest::addColumn<DataError::Kind>("kind");
        const auto one = [](const Plaats& p) {
            return QList<Plaats>{item(1, "s", 1, 1, QStringLiteral("Eerst")), p};
        };
        QTest::newRow("not Windows-1252")
            << one(item(1, "s", 1, 1, QStringLiteral("Łódź"))) << DataError::Kind::NotEncodable;
        QTest::newRow("beyond 16 bits") << one(item(2, "s", 3300, 32768)) << DataError::Kind::WriteFailed;
        QTest::newRow("six columns") << one(item(1, "s", -10000, 1)) << DataError::Kind::WriteFailed;
        QTest::newRow("a second item inside a name")
            << one(item(3, "s", 1, 1, QStringLiteral("A\r\n1 s 1    1    B")))
            << DataError::Kind::WriteFailed;
        QTest::newRow("kind of three letters") << one(item(1, "abc", 1, 1)) << DataError::Kind::WriteFailed;
        QTest::newRow("501 items") << QList<Plaats>(501, item(1, "s", 1, 1)) << DataError::Kind::WriteFailed;
    }
    void refusesWhatItsReaderWouldNotTakeBack()
    {
        QFETCH(QList<Plaats>, items);
        QFETCH(DataError::Kind, kind);
        TestFolder folder;
        const QByteArray before = "nl.bmp\r\n1 s 10   10   Utrecht\r\n";
        folder.write(QStringLiteral("nl.krt"), before);
        const auto error =
            MapFile::write(folder.file(QStringLiteral("nl.krt")), QStringLiteral("nl.bmp"), items);
        QVERIFY(error);
        QCOMPARE(error->kind, kind);
        if (kind == DataError::Kind::WriteFailed && items.size() == 2)
            QVERIFY2(error->message().contains(u'"' + items[1].Naam + u'"'), qPrintable(error->message()));
        QCOMPARE(folder.read(QStringLiteral("nl.krt")), before);
    }

    // The demo folder tools/run-demo puts beside the programs: both registers, every map
    // byte for byte as the editor would write it, and its picture a real Windows bitmap.
    void demoFolderIsUsable()
    {
        const QDir demo(QStringLiteral(VELMORA_DEMO_DIR));
        ProgramFolder::setPath(demo.path());
        SmartBase db([](const QString& m) { QFAIL(qPrintable(m)); });
        db.OpenDatabase(ProgramFolder::pathFor(QStringLiteral("leerling.sdb")));
        QVERIFY(db.ListField(2).contains(QStringLiteral("Zo\u00eb")));
        db.OpenDatabase(ProgramFolder::pathFor(QStringLiteral("kaarten.sdb")));
        const QStringList krts = db.ListField(2);
        QCOMPARE(krts.size(), 3);
        for (const QString& krt : krts) {
            const auto map = std::get<MapFile::Contents>(MapFile::readFile(krt));
            QFile file(ProgramFolder::locate(krt)), picture(ProgramFolder::locate(map.picture));
            QVERIFY(file.open(QIODevice::ReadOnly) && picture.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), std::get<QByteArray>(MapFile::format(map.picture, map.items, krt)));
            QVERIFY2(picture.read(2) == "BM" && !QImage(picture.fileName()).isNull(),
                     qPrintable(map.picture));
        }
        ProgramFolder::setPath(QString());
    }
};

QTEST_GUILESS_MAIN(TestMapFile)
#include "tst_mapfile.moc"
