// The map editor's state on its own: its modes, what a press on the map places,
// the open panel through removals, and what it keeps of the items as read.
#include "mapeditstate.h"
#include "mapfile.h"

#include <QtTest>

Q_DECLARE_METATYPE(korveladmin::MapEditState::Press)

using namespace velmora;
using korveladmin::MapEditState;

namespace {

const QString ChangeText = QStringLiteral("Klik op de plaats, het water of gebied dat u wilt aanpassen");
const QString RemoveText =
    QStringLiteral("Klik op de plaats, het water of het gebied dat u wilt verwijderen");

QList<Plaats> items(int count)
{
    QList<Plaats> list;
    for (int i = 1; i <= count; ++i)
        list.append(Plaats{2, QStringLiteral("s "), 100 * i, 200 * i, QString::number(i)});
    return list;
}

QString line(const Plaats& p)
{
    return QStringLiteral("%1 %2 %3 %4 %5").arg(p.Niveau).arg(p.Soort).arg(p.Top).arg(p.Left).arg(p.Naam);
}

} // namespace

class TestMapEditState : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // A mode chosen on a map of `count` items, then a press on the map. A press whose marker
    // corner the map file cannot hold places nothing and keeps the add mode.
    void modesAndPlacing_data()
    {
        QTest::addColumn<QString>("choose"); // "change", "remove" or a kind letter to add
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("addSoort");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<MapEditState::Press>("press");
        QTest::addColumn<QString>("placed"); // the new last item

        using P = MapEditState::Press;
        const QPoint at(1000, 2000);
        const QString city = QStringLiteral("Klik in de kaart waar u de stad wilt");
        const QString water = QStringLiteral("Klik in de kaart waar u het water wilt");
        QTest::newRow("change") << "change" << 1 << 0 << ChangeText << at << P::Nothing << "";
        QTest::newRow("remove") << "remove" << 1 << -1 << RemoveText << at << P::Nothing << "";
        QTest::newRow("remove, no items") << "remove" << 0 << 0 << ChangeText << at << P::Nothing << "";
        QTest::newRow("big place") << "s" << 0 << 1 << city << at << P::Placed << "1 s 1880 880 ";
        QTest::newRow("small place") << "d" << 1 << 2 << city << at << P::Placed << "1 d 1880 880 ";
        QTest::newRow("water") << "w" << 1 << 3 << water << at << P::Placed << "1 w 1880 880 ";
        QTest::newRow("area") << "g" << 1 << 4 << "Klik in de kaart waar u de gebied wilt" << at << P::Placed
                              << "1 g 1880 880 ";
        QTest::newRow("full map") << "s" << MapEditState::MaxItems << 1 << city << at << P::Full << "";
        const int least = MapFile::MinCoordinate + 120, most = MapFile::MaxCoordinate + 120;
        QTest::newRow("least") << "w" << 0 << 3 << water << QPoint(least, least) << P::Placed
                               << "1 w -9999 -9999 ";
        QTest::newRow("most") << "w" << 0 << 3 << water << QPoint(most, most) << P::Placed
                              << "1 w 32767 32767 ";
        QTest::newRow("left of least")
            << "w" << 0 << 3 << water << QPoint(least - 1, 500) << P::OutOfReach << "";
        QTest::newRow("above least") << "w" << 0 << 3 << water << QPoint(500, least - 1) << P::OutOfReach
                                     << "";
        QTest::newRow("right of most")
            << "w" << 0 << 3 << water << QPoint(most + 1, 500) << P::OutOfReach << "";
        QTest::newRow("below most") << "w" << 0 << 3 << water << QPoint(500, most + 1) << P::OutOfReach << "";
    }
    void modesAndPlacing()
    {
        QFETCH(QString, choose);
        QFETCH(int, count);
        QFETCH(int, addSoort);
        QFETCH(QString, status);
        QFETCH(QPoint, at);
        QFETCH(MapEditState::Press, press);
        QFETCH(QString, placed);
        MapEditState state(QStringLiteral("kaart.bmp"), items(count));
        if (choose == u"change")
            state.chooseChange();
        else if (choose == u"remove")
            QCOMPARE(state.chooseRemove(), count > 0);
        else
            state.chooseAdd(ItemKind::of(choose));
        QCOMPARE(state.AddSoort(), addSoort);
        QCOMPARE(state.status(), status);

        QCOMPARE(state.pressOnMap(at), press);
        // Placed or not, a press the file could hold ends the add mode and clears the status line.
        const bool ends = press == MapEditState::Press::Placed || press == MapEditState::Press::Full;
        QCOMPARE(state.AddSoort(), ends ? 0 : addSoort);
        QCOMPARE(state.status(), ends ? QString() : status);
        QCOMPARE(state.AantPlaatsen(), count + (placed.isEmpty() ? 0 : 1));
        QCOMPARE(state.changed(), !placed.isEmpty());
        if (!placed.isEmpty()) {
            const MapEditState::Item& item = state.item(count + 1);
            QCOMPARE(line(item.place), placed);
            // Its panel hangs 15 twips lower than that of an item as read.
            QCOMPARE(item.panelBelow, QPoint(item.place.Left, item.place.Top + 15));
        }
    }

    // The open panel stays with its item when another is removed.
    void removalKeepsTheOpenPanel_data()
    {
        QTest::addColumn<int>("removed");
        QTest::addColumn<int>("open");
        QTest::addColumn<QString>("names");
        QTest::newRow("before it") << 2 << 2 << "134";
        QTest::newRow("itself") << 3 << 0 << "124";
        QTest::newRow("after it") << 4 << 3 << "123";
    }
    void removalKeepsTheOpenPanel()
    {
        QFETCH(int, removed);
        MapEditState state(QStringLiteral("kaart.bmp"), items(4));
        QCOMPARE(state.clickItem(3), MapEditState::ItemClick::PanelOpened);
        QVERIFY(state.chooseRemove());
        QCOMPARE(state.clickItem(removed), MapEditState::ItemClick::AskRemove);
        QCOMPARE(state.openPanel(), 3);
        state.remove(removed);
        QTEST(state.openPanel(), "open");
        QCOMPARE(state.AddSoort(), 0);
        QString names;
        for (const Plaats& place : state.places())
            names += place.Naam;
        QTEST(names, "names");
    }

    // A name that cannot be stored is refused, the old one kept; a level is stored as chosen.
    void namesAndLevels()
    {
        MapEditState state(QStringLiteral("kaart.bmp"), items(2));
        QVERIFY(state.setName(1, QStringLiteral("Łódź")));
        QVERIFY(!state.changed());
        QVERIFY(!state.setName(1, QStringLiteral("Aa")));
        state.setLevel(2, 3);
        QCOMPARE(line(state.places()[0]) + u'|' + line(state.places()[1]),
                 QStringLiteral("2 s 100 200 Aa|3 s 200 400 2"));
    }
};

QTEST_MAIN(TestMapEditState)
#include "tst_mapeditstate.moc"
