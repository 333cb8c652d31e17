#include "mapfile.h"
#include "testfolder.h"

#include <QBuffer>
#include <QtTest>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::DataError::Kind)

namespace {

MapFile::ReadResult readBytes(const QByteArray& bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    return MapFile::read(buffer, QStringLiteral("test.krt"));
}

Plaats item(int niveau, const char* soort, int top, int left, const QString& naam)
{
    return Plaats{niveau, QString::fromLatin1(soort), top, left, naam};
}

} // namespace

class TestMapFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void itemLinesInTheirColumns()
    {
        QCOMPARE(MapFile::itemLine(item(1, "s", 1234, 567, QStringLiteral("Utrecht"))),
                 QByteArray("1 s 1234 567  Utrecht"));
        QCOMPARE(MapFile::itemLine(item(1, "s", 12345, 23456, QStringLiteral("Utrecht"))),
                 QByteArray("1 s 1234523456Utrecht"));
        QCOMPARE(MapFile::itemLine(item(1, "s", -120, -12, QStringLiteral("X"))),
                 QByteArray("1 s -120 -12  X"));
        QCOMPARE(MapFile::itemLine(item(2, " w", 10, 20, QStringLiteral("  Rijn  "))),
                 QByteArray("2 w 10   20   Rijn"));
    }

    void readsWhatItWrites()
    {
        const auto result = readBytes("europa.bmp\r\n1 s 1234 567  Utrecht\r\n1 s -120 -12  X\r\n"
                                      "2 d 1234523456Den Haag, stad  \r\n3 g 5    6    \r\n");
        const auto* map = std::get_if<MapFile::Contents>(&result);
        QVERIFY(map);
        QCOMPARE(map->picture, QStringLiteral("europa.bmp"));
        QCOMPARE(map->items.size(), 4);
        QCOMPARE(map->items[0], item(1, "s ", 1234, 567, QStringLiteral("Utrecht")));
        QCOMPARE(map->items[1], item(1, "s ", -120, -12, QStringLiteral("X")));
        QCOMPARE(map->items[2], item(2, "d ", 12345, 23456, QStringLiteral("Den Haag, stad  ")));
        QCOMPARE(map->items[3], item(3, "g ", 5, 6, QString()));
        QCOMPARE(map->items[3].kind(), QStringLiteral("g"));

        Plaatsen table;
        QCOMPARE(MapFile::fill(*map, table), 4);
        QCOMPARE(table[1].Naam, QStringLiteral("Utrecht"));
        QCOMPARE(table[4].Top, 5);
    }

    void firstLineRules()
    {
        auto result = readBytes("kaart.bmp\r\n");
        QCOMPARE(std::get<MapFile::Contents>(result).items.size(), 0);
        result = readBytes("\"oude kaart, 1990.bmp\"\r\n1 s 1    2    A\r\n");
        QCOMPARE(std::get<MapFile::Contents>(result).picture, QStringLiteral("oude kaart, 1990.bmp"));
        // Unquoted, the name ends at the comma and the rest is read as the first item.
        result = readBytes("oude kaart, 1990.bmp\r\n");
        QVERIFY(std::holds_alternative<DataError>(result));
        result = readBytes("kaart.bmp,1 s 1    2    A\r\n2 d 3    4    B\r\n");
        const auto& map = std::get<MapFile::Contents>(result);
        QCOMPARE(map.picture, QStringLiteral("kaart.bmp"));
        QCOMPARE(map.items.size(), 2);
        QCOMPARE(map.items[0].Naam, QStringLiteral("A"));
        // Writing it again keeps the cut name.
        QCOMPARE(std::get<QByteArray>(MapFile::format(map.picture, map.items, QStringLiteral("k.krt"))),
                 QByteArray("kaart.bmp\r\n1 s 1    2    A\r\n2 d 3    4    B\r\n"));
    }

    void malformedFilesAreRefusedWithTheirLine()
    {
        const auto check = [](const QByteArray& bytes, DataError::Kind kind, int line) {
            const auto result = readBytes(bytes);
            const auto* error = std::get_if<DataError>(&result);
            QVERIFY(error);
            QCOMPARE(error->kind, kind);
            QCOMPARE(error->line, line);
            QCOMPARE(error->file, QStringLiteral("test.krt"));
        };
        check("k.bmp\r\n1 s 10   20   A\r\nx s 10   20   B\r\n", DataError::Kind::Malformed, 3);
        check("k.bmp\r\n1 s 1o   20   A\r\n", DataError::Kind::Malformed, 2);
        check("k.bmp\r\n1 s 10\r\n", DataError::Kind::Malformed, 2);
        check("", DataError::Kind::Malformed, 1);
        QByteArray many = "k.bmp\r\n";
        for (int i = 0; i < 501; ++i)
            many += "1 s 10   20   A\r\n";
        check(many, DataError::Kind::TooManyItems, 502);
        many.chop(QByteArray("1 s 10   20   A\r\n").size());
        QCOMPARE(std::get<MapFile::Contents>(readBytes(many)).items.size(), 500);
        // Blank lines are skipped, LF-only files read.
        QCOMPARE(std::get<MapFile::Contents>(readBytes("k.bmp\n\n1 s 10   20   A\n   \n")).items.size(), 1);

        TestFolder folder;
        QCOMPARE(std::get<DataError>(MapFile::readFile(QStringLiteral("weg.krt"))).kind,
                 DataError::Kind::Missing);
        QCOMPARE(std::get<DataError>(MapFile::readFile(QStringLiteral("../nl.krt"))).kind,
                 DataError::Kind::UnusableName);
    }

    void writingGroupsByLevelAndTrims()
    {
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
        const auto back = MapFile::readFile(QStringLiteral("NL.KRT  "));
        const auto& map = std::get<MapFile::Contents>(back);
        QCOMPARE(map.items.size(), 4);
        QCOMPARE(map.items[0].Naam, QStringLiteral("Utrecht"));
        QCOMPARE(map.items[3].Niveau, 3);

        QVERIFY(!MapFile::startNew(folder.file(QStringLiteral("leeg.krt")), QStringLiteral("leeg.bmp")));
        QCOMPARE(folder.read(QStringLiteral("leeg.krt")), QByteArray("leeg.bmp\r\n"));

        // The edges of the positions a file holds are written and read back.
        const QList<Plaats> edges = {
            item(1, "s ", MapFile::MaxCoordinate, MapFile::MinCoordinate, QStringLiteral("A")),
            item(1, "d ", MapFile::MinCoordinate, MapFile::MaxCoordinate, QStringLiteral("B"))};
        QVERIFY(!MapFile::write(folder.file(QStringLiteral("nl.krt")), QStringLiteral("nl.bmp"), edges));
        QCOMPARE(std::get<MapFile::Contents>(MapFile::readFile(QStringLiteral("nl.krt"))).items, edges);
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
        QTest::newRow("beyond 16 bits")
            << one(item(2, "s", 3300, 32768, QStringLiteral("A"))) << DataError::Kind::WriteFailed;
        QTest::newRow("six columns") << one(item(1, "s", -10000, 1, QStringLiteral("A")))
                                     << DataError::Kind::WriteFailed;
        QTest::newRow("line break") << one(item(1, "s", 1, 1, QStringLiteral("Noord\nHolland")))
                                    << DataError::Kind::WriteFailed;
        QTest::newRow("a second item inside a name")
            << one(item(3, "s", 1, 1, QStringLiteral("A\r\n1 s 1    1    B")))
            << DataError::Kind::WriteFailed;
        QTest::newRow("kind of three letters")
            << one(item(1, "abc", 1, 1, QStringLiteral("A"))) << DataError::Kind::WriteFailed;
        QTest::newRow("501 items") << QList<Plaats>(501, item(1, "s", 1, 1, QStringLiteral("A")))
                                   << DataError::Kind::WriteFailed;
    }
    void refusesWhatItsReaderWouldNotTakeBack()
    {
        QFETCH(QList<Plaats>, items);
        QFETCH(DataError::Kind, kind);
        TestFolder folder;
        folder.write(QStringLiteral("nl.krt"), "nl.bmp\r\n1 s 10   10   Utrecht\r\n");
        const auto error =
            MapFile::write(folder.file(QStringLiteral("nl.krt")), QStringLiteral("nl.bmp"), items);
        QVERIFY(error);
        QCOMPARE(error->kind, kind);
        QCOMPARE(error->file, QStringLiteral("nl.krt"));
        if (kind == DataError::Kind::WriteFailed && items.size() == 2)
            QVERIFY2(error->message().contains(u'"' + items[1].Naam + u'"'), qPrintable(error->message()));
        QCOMPARE(folder.read(QStringLiteral("nl.krt")), QByteArray("nl.bmp\r\n1 s 10   10   Utrecht\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestMapFile)
#include "tst_mapfile.moc"
