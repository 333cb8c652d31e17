// The demo program folder that tools/run-demo puts beside the programs must be
// one a pupil can use: both registers, and maps readable by the map reader,
// every item clickable on its picture, in the file form the editor would write.
#include "mapfile.h"
#include "programfolder.h"
#include "smartbase.h"
#include "twips.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QtTest>

using namespace velmora;

namespace {

struct DemoMap
{
    QString krt;
    QByteArray bytes;
    MapFile::Contents contents;
    QImage picture;
};

// The map screen's hotspot around an item: 495 twips square, reaching 120 beyond the marker's corner.
QRect hotSpot(const Plaats& item)
{
    return QRect(item.Left - 120, item.Top - 120, 495, 495);
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestDemoMaps : public QObject
{
    Q_OBJECT

    QList<DemoMap> m_maps;

    const DemoMap& map(const QString& krt) const
    {
        for (const DemoMap& m : m_maps)
            if (m.krt == krt)
                return m;
        qFatal("demo map not loaded");
    }

private Q_SLOTS:
    void initTestCase()
    {
        const QDir demo(QStringLiteral(VELMORA_DEMO_DIR));
        // Read them as the programs do, from the program folder.
        ProgramFolder::setPath(demo.path());
        for (const QString& krt : demo.entryList({QStringLiteral("*.krt")}, QDir::Files, QDir::Name)) {
            DemoMap m{krt, fileBytes(demo.filePath(krt)), {}, {}};
            const auto result = MapFile::readFile(krt);
            if (const auto* error = std::get_if<DataError>(&result))
                QFAIL(qPrintable(error->message()));
            m.contents = std::get<MapFile::Contents>(result);
            QVERIFY2(ProgramFolder::isBareName(m.contents.picture), qPrintable(m.contents.picture));
            const QString picturePath = ProgramFolder::locate(m.contents.picture);
            // A real Windows bitmap, not another format under a .bmp name.
            QVERIFY2(fileBytes(picturePath).startsWith("BM"), qPrintable(m.contents.picture));
            QVERIFY2(m.picture.load(picturePath), qPrintable(m.contents.picture));
            m_maps.append(m);
        }
        QVERIFY(m_maps.size() >= 2);
    }

    void cleanupTestCase() { ProgramFolder::setPath(QString()); }

    void registersListPupilsAndEveryMap()
    {
        QStringList notices;
        SmartBase db([&](const QString& m) { notices.append(m); });
        db.OpenDatabase(ProgramFolder::pathFor(QStringLiteral("leerling.sdb")));
        QCOMPARE(db.DatabaseTitle(), QStringLiteral("Leerlingendatabase"));
        const QStringList pupils = db.ListField(2);
        QVERIFY(pupils.size() >= 5 && pupils.contains(QStringLiteral("Zo\u00eb")));
        db.OpenDatabase(ProgramFolder::pathFor(QStringLiteral("kaarten.sdb")));
        QCOMPARE(db.DatabaseTitle(), QStringLiteral("Kaarten"));
        QCOMPARE(db.ListField(1), QStringList({QStringLiteral("Nederland").leftJustified(30),
                                               QStringLiteral("Europa").leftJustified(30),
                                               QStringLiteral("Oefenkaart").leftJustified(30)}));
        for (const QString& krt : db.ListField(2))
            QVERIFY2(std::holds_alternative<MapFile::Contents>(MapFile::readFile(krt)), qPrintable(krt));
        QVERIFY(notices.isEmpty());
    }

    void filesAreWhatTheEditorWouldWrite()
    {
        for (const DemoMap& m : std::as_const(m_maps)) {
            const auto formatted = MapFile::format(m.contents.picture, m.contents.items, m.krt);
            QVERIFY(std::holds_alternative<QByteArray>(formatted));
            // Byte for byte: CR LF, fixed columns, level 1 first, trimmed names, Windows-1252.
            QCOMPARE(m.bytes, std::get<QByteArray>(formatted));
        }
        const QByteArray& europa = map(QStringLiteral("europa.krt")).bytes;
        QVERIFY(europa.contains("Itali\xEB\r\n"));
        QVERIFY(europa.contains("G\xF6teborg\r\n"));
    }

    void everyItemCanBeClickedAndIsNamedOnce()
    {
        const QStringList kinds{QStringLiteral("s"), QStringLiteral("d"), QStringLiteral("w"),
                                QStringLiteral("g")};
        for (const DemoMap& m : std::as_const(m_maps)) {
            const QRect picture(0, 0, Twips::fromPixels(m.picture.width()),
                                Twips::fromPixels(m.picture.height()));
            const QList<Plaats>& items = m.contents.items;
            QSet<int> levels;
            QSet<QString> names;
            for (const Plaats& item : items) {
                const QByteArray where = (m.krt + u' ' + item.Naam).toUtf8();
                QVERIFY2(kinds.contains(item.kind()), where.constData());
                // The whole hotspot, not only the marker: a part outside the picture cannot be clicked.
                QVERIFY2(picture.contains(hotSpot(item)), where.constData());
                QVERIFY2(!names.contains(item.Naam), where.constData());
                names.insert(item.Naam);
                levels.insert(item.Niveau);
            }
            QCOMPARE(levels, QSet<int>({1, 2, 3}));
            // At level 3 every item is on screen: no hotspot may cover another, or the
            // item placed first could not be clicked there.
            for (qsizetype i = 0; i < items.size(); ++i)
                for (qsizetype j = i + 1; j < items.size(); ++j)
                    QVERIFY2(!hotSpot(items[i]).intersects(hotSpot(items[j])),
                             qPrintable(m.krt + u' ' + items[i].Naam + u' ' + items[j].Naam));
            // Fits a 1920 x 1080 screen beside the legend and under the status line.
            QVERIFY2(m.picture.width() <= 1600 && m.picture.height() <= 1000, qPrintable(m.krt));
        }
    }
};

QTEST_GUILESS_MAIN(TestDemoMaps)
#include "tst_demomaps.moc"
