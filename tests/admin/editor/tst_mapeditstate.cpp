// The map editor's state on its own: its modes, what a press on the map places,
// the open panel through removals, and what it keeps of the items as read.
#include "mapeditstate.h"
#include "mapfile.h"

#include <QtTest>

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
    // A mode chosen on a map of `count` items, then a press at (1000, 2000).
    void modesAndPlacing_data()
    {
        QTest::addColumn<QString>("choose"); // "change", "remove" or a kind letter to add
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("addSoort");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("placed"); // the new last item, or nothing

        QTest::newRow("change") << "change" << 1 << 0 << ChangeText << "";
        QTest::newRow("remove") << "remove" << 1 << -1 << RemoveText << "";
        QTest::newRow("remove, no items") << "remove" << 0 << 0 << ChangeText << "";
        const QString city = QStringLiteral("Klik in de kaart waar u de stad wilt");
        QTest::newRow("big place") << "s" << 0 << 1 << city << "1 s 1880 880 ";
        QTest::newRow("small place") << "d" << 1 << 2 << city << "1 d 1880 880 ";
        QTest::newRow("water") << "w" << 1 << 3 << "Klik in de kaart waar u het water wilt"
                               << "1 w 1880 880 ";
        QTest::newRow("area") << "g" << 1 << 4 << "Klik in de kaart waar u de gebied wilt"
                              << "1 g 1880 880 ";
        QTest::newRow("full map") << "s" << MapEditState::MaxItems << 1 << city << "";
    }
    void modesAndPlacing()
    {
        QFETCH(QString, choose);
        QFETCH(int, count);
        MapEditState state(QStringLiteral("kaart.bmp"), items(count));
        if (choose == u"change")
            state.chooseChange();
        else if (choose == u"remove")
            QCOMPARE(state.chooseRemove(), count > 0);
        else
            state.chooseAdd(ItemKind::of(choose));
        QTEST(state.AddSoort(), "addSoort");
        QTEST(state.status(), "status");

        const auto press = state.pressOnMap(QPoint(1000, 2000));
        QFETCH(QString, placed);
        const bool adding = state.AddSoort() == 0 && choose.size() == 1;
        QCOMPARE(press, !adding            ? MapEditState::Press::Nothing
                        : placed.isEmpty() ? MapEditState::Press::Full
                                           : MapEditState::Press::Placed);
        QCOMPARE(state.AantPlaatsen(), count + (placed.isEmpty() ? 0 : 1));
        if (!placed.isEmpty()) {
            QCOMPARE(line(state.item(count + 1).place), placed);
            // Its panel hangs 15 twips lower than a read item's; the state differs from the map as read.
            QCOMPARE(state.item(count + 1).panelBelow, QPoint(880, 1895));
            QVERIFY(state.changed());
        }
        if (adding)
            QCOMPARE(state.status(), QString());
    }

    // A press whose marker corner the map file cannot hold places nothing and keeps the add mode.
    void pressWithinReach_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("placed");
        const int in = MapEditState::ClickToMarker;
        QTest::newRow("least") << QPoint(MapFile::MinCoordinate + in, MapFile::MinCoordinate + in) << true;
        QTest::newRow("left of least") << QPoint(MapFile::MinCoordinate + in - 1, 500) << false;
        QTest::newRow("above least") << QPoint(500, MapFile::MinCoordinate + in - 1) << false;
        QTest::newRow("most") << QPoint(MapFile::MaxCoordinate + in, MapFile::MaxCoordinate + in) << true;
        QTest::newRow("right of most") << QPoint(MapFile::MaxCoordinate + in + 1, 500) << false;
        QTest::newRow("below most") << QPoint(500, MapFile::MaxCoordinate + in + 1) << false;
    }
    void pressWithinReach()
    {
        QFETCH(QPoint, at);
        QFETCH(bool, placed);
        MapEditState state(QStringLiteral("kaart.bmp"), {});
        state.chooseAdd(ItemKind::of(u"w"));
        QCOMPARE(state.pressOnMap(at),
                 placed ? MapEditState::Press::Placed : MapEditState::Press::OutOfReach);
        QCOMPARE(state.AddSoort(), placed ? 0 : 3);
        QCOMPARE(state.AantPlaatsen(), placed ? 1 : 0);
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

    // Kind letters as read are kept trimmed and lower-cased, unknown ones too; saved unchanged
    // gives the same items; a name that cannot be stored is refused and the old one kept.
    void itemsAsRead()
    {
        const QList<Plaats> read = {Plaats{1, QStringLiteral(" S"), 10, 20, QStringLiteral("A")},
                                    Plaats{7, QStringLiteral("X "), 30, 40, QStringLiteral("B")}};
        MapEditState state(QStringLiteral("kaart.bmp"), read);
        QCOMPARE(line(state.item(1).place) + u'|' + line(state.item(2).place),
                 QStringLiteral("1 s 10 20 A|7 x 30 40 B"));
        QCOMPARE(state.item(2).panelBelow, QPoint(40, 30));
        QVERIFY(!state.changed());
        QVERIFY(state.setName(1, QStringLiteral("Łódź")));
        QCOMPARE(state.item(1).place.Naam, QStringLiteral("A"));
        QVERIFY(!state.changed());
        QVERIFY(!state.setName(1, QStringLiteral("Aa")));
        state.setLevel(2, 3);
        QCOMPARE(line(state.places()[0]) + u'|' + line(state.places()[1]),
                 QStringLiteral("1 s 10 20 Aa|3 x 30 40 B"));
        QVERIFY(state.changed());
        state.markSaved();
        QVERIFY(!state.changed());
    }
};

QTEST_MAIN(TestMapEditState)
#include "tst_mapeditstate.moc"
