// The maps shipped in demo/ must be maps a pupil can use: readable by the map
// reader, every item clickable on its picture, and in the file form the editor
// itself would write.
#include "mapfile.h"
#include "programfolder.h"
#include "twips.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QtTest>

using namespace velmora;

namespace {

// Marker and hotspot sizes of the map screen, in twips.
constexpr int MarkerSize = 255;
constexpr int HotSpotReach = 120;
constexpr int HotSpotSize = 495;

struct DemoMap
{
    QString krt;
    QByteArray bytes;
    MapFile::Contents contents;
    QImage picture;
};

QRect hotSpot(const Plaats& item)
{
    return QRect(item.Left - HotSpotReach, item.Top - HotSpotReach, HotSpotSize, HotSpotSize);
}

// Sea, lakes and rivers are drawn in blues; land in greens, yellows, pinks and greys.
bool isWater(QRgb colour)
{
    return qBlue(colour) > qRed(colour) + 40;
}

const Plaats* findItem(const DemoMap& map, const QString& name)
{
    for (const Plaats& item : map.contents.items) {
        if (item.Naam == name)
            return &item;
    }
    return nullptr;
}

} // namespace

class TestDemoMaps : public QObject
{
    Q_OBJECT

    QList<DemoMap> m_maps;

    const DemoMap& map(const QString& krt) const
    {
        for (const DemoMap& m : m_maps) {
            if (m.krt == krt)
                return m;
        }
        qFatal("demo map not loaded");
    }

private Q_SLOTS:
    void initTestCase()
    {
        const QDir demo(QStringLiteral(VELMORA_DEMO_DIR));
        const QStringList krts = demo.entryList({QStringLiteral("*.krt")}, QDir::Files, QDir::Name);
        QVERIFY(krts.contains(QStringLiteral("nederland.krt")));
        QVERIFY(krts.contains(QStringLiteral("europa.krt")));

        // Read them as the programs do, from the program folder.
        ProgramFolder::setPath(demo.path());
        for (const QString& krt : krts) {
            DemoMap m;
            m.krt = krt;
            QFile file(demo.filePath(krt));
            QVERIFY(file.open(QIODevice::ReadOnly));
            m.bytes = file.readAll();
            const auto result = MapFile::readFile(krt);
            if (const auto* error = std::get_if<DataError>(&result))
                QFAIL(qPrintable(error->message()));
            m.contents = std::get<MapFile::Contents>(result);
            QVERIFY2(ProgramFolder::isBareName(m.contents.picture), qPrintable(m.contents.picture));
            const QString picturePath = ProgramFolder::locate(m.contents.picture);
            QVERIFY2(!picturePath.isEmpty(), qPrintable(m.contents.picture));
            m.picture.load(picturePath);
            QVERIFY2(!m.picture.isNull(), qPrintable(picturePath));
            m_maps.append(m);
        }
    }

    void cleanupTestCase() { ProgramFolder::setPath(QString()); }

    void filesAreWhatTheEditorWouldWrite()
    {
        for (const DemoMap& m : std::as_const(m_maps)) {
            const auto formatted = MapFile::format(m.contents.picture, m.contents.items, m.krt);
            QVERIFY(std::holds_alternative<QByteArray>(formatted));
            // Byte for byte: CR LF, fixed columns, level 1 first, trimmed names, Windows-1252.
            QCOMPARE(m.bytes, std::get<QByteArray>(formatted));
            QCOMPARE(m.bytes.count('\n'), m.bytes.count("\r\n"));
        }
        QVERIFY(map(QStringLiteral("nederland.krt")).bytes.startsWith("nederland.bmp\r\n1 s "));
        QVERIFY(map(QStringLiteral("europa.krt")).bytes.startsWith("europa.bmp\r\n1 s "));
        // Accented names are single Windows-1252 bytes, not UTF-8.
        const QByteArray& europa = map(QStringLiteral("europa.krt")).bytes;
        QVERIFY(europa.contains("Itali\xEB\r\n"));
        QVERIFY(europa.contains("G\xF6teborg\r\n"));
        QVERIFY(!europa.contains("\xC3"));
    }

    void everyItemCanBeClicked()
    {
        for (const DemoMap& m : std::as_const(m_maps)) {
            const QRect picture(0, 0, Twips::fromPixels(m.picture.width()), Twips::fromPixels(m.picture.height()));
            const QList<Plaats>& items = m.contents.items;
            for (const Plaats& item : items) {
                QVERIFY2(QStringList({QStringLiteral("s"), QStringLiteral("d"), QStringLiteral("w"),
                                      QStringLiteral("g")})
                             .contains(item.kind()),
                         qPrintable(m.krt + u' ' + item.Naam));
                QVERIFY2(item.Niveau >= 1 && item.Niveau <= 3, qPrintable(m.krt + u' ' + item.Naam));
                // The whole hotspot, not only the marker: a part outside the picture cannot be clicked.
                QVERIFY2(picture.contains(hotSpot(item)), qPrintable(m.krt + u' ' + item.Naam));
            }
            // Level N shows the items of levels 1 to N, so two items are on screen together from
            // the higher of their two levels on; at level 3 that is every pair. No two hotspots
            // may cover one another, or the item placed first could not be clicked there.
            for (qsizetype i = 0; i < items.size(); ++i) {
                for (qsizetype j = i + 1; j < items.size(); ++j) {
                    const int together = std::max(items[i].Niveau, items[j].Niveau);
                    QVERIFY2(!hotSpot(items[i]).intersects(hotSpot(items[j])),
                             qPrintable(QStringLiteral("%1: %2 and %3 overlap from level %4")
                                            .arg(m.krt, items[i].Naam, items[j].Naam)
                                            .arg(together)));
                }
            }
        }
    }

    void levelsNamesAndSizes()
    {
        for (const DemoMap& m : std::as_const(m_maps)) {
            QSet<int> levels;
            QSet<QString> names;
            int previousLevel = 1;
            for (const Plaats& item : m.contents.items) {
                levels.insert(item.Niveau);
                QVERIFY2(!item.Naam.isEmpty() && item.Naam == item.Naam.trimmed(), qPrintable(item.Naam));
                QVERIFY2(!names.contains(item.Naam), qPrintable(m.krt + QStringLiteral(": twice ") + item.Naam));
                names.insert(item.Naam);
                // The pupil program takes the items of levels 1 to N as the first lines.
                QVERIFY(item.Niveau >= previousLevel);
                previousLevel = item.Niveau;
            }
            QCOMPARE(levels, QSet<int>({1, 2, 3}));
            // Fits a 1920 x 1080 screen beside the legend and under the status line.
            QVERIFY2(m.picture.width() <= 1600 && m.picture.height() <= 1000, qPrintable(m.krt));
        }
        const DemoMap& nederland = map(QStringLiteral("nederland.krt"));
        const DemoMap& europa = map(QStringLiteral("europa.krt"));
        QVERIFY(nederland.contents.items.size() >= 60 && nederland.contents.items.size() <= 100);
        QVERIFY(europa.contents.items.size() >= 80 && europa.contents.items.size() <= 150);

        QStringList capitals;
        for (const Plaats& item : nederland.contents.items) {
            if (item.Niveau == 1 && item.kind() == u"s")
                capitals.append(item.Naam);
        }
        capitals.sort();
        QCOMPARE(capitals, QStringList({QStringLiteral("'s-Hertogenbosch"), QStringLiteral("Arnhem"),
                                        QStringLiteral("Assen"), QStringLiteral("Den Haag"),
                                        QStringLiteral("Groningen"), QStringLiteral("Haarlem"),
                                        QStringLiteral("Leeuwarden"), QStringLiteral("Lelystad"),
                                        QStringLiteral("Maastricht"), QStringLiteral("Middelburg"),
                                        QStringLiteral("Utrecht"), QStringLiteral("Zwolle")}));
    }

    void markersLieOnLandOrWater()
    {
        // A river or a coast may run through a city's marker, and a small island may be all
        // coast, so the test asks for a share of the marker, not its centre.
        constexpr int Enough = 10;
        QStringList misplaced;
        for (const DemoMap& m : std::as_const(m_maps)) {
            for (const Plaats& item : m.contents.items) {
                const QRect marker = Twips::rect(item.Left, item.Top, MarkerSize, MarkerSize);
                int water = 0;
                for (int y = marker.top(); y <= marker.bottom(); ++y) {
                    for (int x = marker.left(); x <= marker.right(); ++x)
                        water += isWater(m.picture.pixel(x, y)) ? 1 : 0;
                }
                const int land = marker.width() * marker.height() - water;
                if (item.kind() == u"w" ? water < Enough : land < Enough)
                    misplaced.append(m.krt + u' ' + item.Naam);
            }
        }
        QVERIFY2(misplaced.isEmpty(), qPrintable(misplaced.join(QStringLiteral(", "))));
    }

    void compassDirectionsHold()
    {
        // Top comes before left in the file; swapped columns or a flipped picture show here.
        const auto check = [this](const QString& krt, const QString& west, const QString& east,
                                  const QString& north, const QString& south) {
            const DemoMap& m = map(krt);
            const Plaats* w = findItem(m, west);
            const Plaats* e = findItem(m, east);
            const Plaats* n = findItem(m, north);
            const Plaats* s = findItem(m, south);
            QVERIFY(w && e && n && s);
            QVERIFY2(w->Left < e->Left, qPrintable(west + QStringLiteral(" west of ") + east));
            QVERIFY2(n->Top < s->Top, qPrintable(north + QStringLiteral(" north of ") + south));
        };
        check(QStringLiteral("nederland.krt"), QStringLiteral("Middelburg"), QStringLiteral("Enschede"),
              QStringLiteral("Den Helder"), QStringLiteral("Maastricht"));
        check(QStringLiteral("nederland.krt"), QStringLiteral("Den Haag"), QStringLiteral("Utrecht"),
              QStringLiteral("Groningen"), QStringLiteral("Zwolle"));
        check(QStringLiteral("europa.krt"), QStringLiteral("Lissabon"), QStringLiteral("Moskou"),
              QStringLiteral("Oslo"), QStringLiteral("Rome"));
        check(QStringLiteral("europa.krt"), QStringLiteral("Dublin"), QStringLiteral("Warschau"),
              QStringLiteral("Helsinki"), QStringLiteral("Athene"));
    }
};

QTEST_GUILESS_MAIN(TestDemoMaps)
#include "tst_demomaps.moc"
