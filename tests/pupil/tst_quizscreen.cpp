// The quiz map screen only forwards clicks, presses and timer ticks to the quiz
// and shows what it says; these tests follow that path through the widgets,
// clicking whatever a person hits on an item's marker.
#include "demomap.h"
#include "frmkaart.h"
#include "mapshape.h"
#include "plaatsen.h"
#include "twips.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace korvel;

namespace {

struct Screen
{
    TestFolder folder;
    velmora::Plaatsen plaatsen;
    frmKaart kaart{plaatsen};
    const Keuze keuze{QStringLiteral("Anna"), QStringLiteral("Nederland  "), QStringLiteral("nederland.krt"), 2};

    explicit Screen(int mode)
    {
        writeDemoMap(folder, "nederland.krt",
                     "1 s 1500 1200 Amsterdam\r\n1 d 3000 6000 Zwolle\r\n1 w 600  4000 IJsselmeer\r\n");
        kaart.Mode = mode;
        kaart.setRandomSource([](int) { return 0; });
    }
    void show()
    {
        QVERIFY(kaart.open(keuze));
        kaart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&kaart));
    }
    QString text(const char* name) const { return kaart.findChild<QLabel*>(QString::fromLatin1(name))->text(); }
    QString status() const { return text("lblStatus"); }
    QWidget* widget(const QString& name) const { return kaart.findChild<QWidget*>(name); }
    // The widget on top at the centre of item `index`'s marker, and that point in it.
    std::pair<QWidget*, QPoint> at(int index) const
    {
        const velmora::Plaats& item = plaatsen[index];
        const QPoint centre(velmora::Twips::toPixels(item.Left + 127), velmora::Twips::toPixels(item.Top + 127));
        const QPoint inWindow = widget(QStringLiteral("Picture1"))->mapTo(&kaart, centre);
        QWidget* hit = kaart.childAt(inWindow);
        return {hit, hit->mapFrom(&kaart, inWindow)};
    }
    void click(int index, Qt::MouseButton button = Qt::LeftButton)
    {
        const auto [hit, point] = at(index);
        QTest::mouseClick(hit, button, {}, point);
    }
    // As Qt delivers it: press, release, the second press as a double-click, release.
    void doubleClick(int index)
    {
        const auto [hit, point] = at(index);
        QTest::mouseClick(hit, Qt::LeftButton, {}, point);
        QTest::mouseDClick(hit, Qt::LeftButton, {}, point);
        QTest::mouseRelease(hit, Qt::LeftButton, {}, point);
    }
    QStringList counters() const { return {text("lblAantGehad"), text("lblAantOver")}; }
    QTimer* timer(const char* name) const { return kaart.findChild<QTimer*>(QString::fromLatin1(name)); }
};

} // namespace

class TestQuizScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void testThroughTheScreen()
    {
        Screen screen(2);
        // Closed before the last answer: nothing is written. Inside the modal
        // loop only observations are taken, so the window always closes.
        QStringList seen;
        QTimer::singleShot(0, &screen.kaart, [&] {
            screen.click(1);
            seen << screen.text("lblAantOver");
            QTest::mouseClick(screen.kaart.findChild<QPushButton*>(QStringLiteral("cmdClose")), Qt::LeftButton);
        });
        screen.kaart.showModal(screen.keuze);
        QCOMPARE(seen, QStringList({QStringLiteral("2")}));
        QVERIFY(!screen.folder.exists(QStringLiteral("toets.res")));

        // A map file not in level order: the included items are asked, each once.
        const QByteArray breda = "2 s 1500 1200 Breda\r\n", assen = "1 s 3000 6000 Assen\r\n",
                         cuijk = "3 s 600  4000 Cuijk\r\n";
        for (const QByteArray& items : {breda + assen + cuijk, cuijk + assen + breda}) {
            writeDemoMap(screen.folder, "nederland.krt", items);
            screen.folder.write(QStringLiteral("toets.res"), QByteArray());
            seen.clear();
            QTimer::singleShot(0, &screen.kaart, [&] {
                for (int answer = 0; answer < 3 && screen.kaart.Mode == 2; ++answer) {
                    seen << screen.status();
                    screen.click(screen.kaart.quiz().plek);
                }
                screen.kaart.close();
            });
            screen.kaart.Mode = 2;
            screen.kaart.showModal(screen.keuze);
            QCOMPARE(seen, QStringList({QStringLiteral("Anna, wijs aan op de kaart: Assen"),
                                        QStringLiteral("Anna, wijs aan op de kaart: Breda")}));
            QCOMPARE(screen.folder.read(QStringLiteral("toets.res")),
                     QByteArray("Anna\r\nNederland\r\n 2 \r\n 2 \r\n 2 \r\n"));
        }
    }

    // Children double-click everything: one press and release is one answer.
    void oneClickOneAnswer()
    {
        // Practice: a double-click is one right answer; a click during the pause is none.
        Screen practice(1);
        practice.show();
        QCOMPARE(practice.status(), QStringLiteral("Anna, wijs aan op de kaart: Amsterdam"));
        practice.doubleClick(1);
        QCOMPARE(practice.status(), QStringLiteral("Goed zo!!"));
        QCOMPARE(practice.counters(), QStringList({QStringLiteral("1"), QStringLiteral("1")}));
        practice.click(2);
        QCOMPARE(practice.status(), QStringLiteral("Goed zo!!"));
        QCOMPARE(practice.counters(), QStringList({QStringLiteral("1"), QStringLiteral("1")}));
        QTRY_COMPARE(practice.status(), QStringLiteral("Anna, wijs aan op de kaart: Zwolle"));
        // A right-button click and a press on the map itself are no answers; a wrong one names the clicked item.
        practice.click(3, Qt::RightButton);
        QTest::mousePress(practice.widget(QStringLiteral("Picture1")), Qt::LeftButton, {}, QPoint(590, 390));
        QCOMPARE(practice.status(), QStringLiteral("Anna, wijs aan op de kaart: Zwolle"));
        QVERIFY(!practice.widget(QStringLiteral("Plas_1")));
        practice.doubleClick(3);
        QCOMPARE(practice.status(), QStringLiteral("Fout! Dit is IJsselmeer"));
        QCOMPARE(practice.counters(), QStringList({QStringLiteral("2"), QStringLiteral("1")}));
        QTRY_COMPARE(practice.status(), QStringLiteral("Anna, wijs op de kaart aan: Zwolle"));

        // Test: three double-clicks, one of them wrong, are three answers and one record.
        Screen test(2);
        test.show();
        test.doubleClick(1);
        QCOMPARE(test.status(), QStringLiteral("Anna, wijs aan op de kaart: Zwolle"));
        QCOMPARE(test.counters(), QStringList({QStringLiteral("1"), QStringLiteral("2")}));
        test.doubleClick(3);
        QCOMPARE(test.counters(), QStringList({QStringLiteral("2"), QStringLiteral("1")}));
        test.doubleClick(3);
        QCOMPARE(test.status(), QStringLiteral("Anna, je bent klaar met de toets!"));
        test.doubleClick(3);
        QCOMPARE(test.counters(), QStringList({QStringLiteral("3"), QStringLiteral("0")}));
        QCOMPARE(test.folder.read(QStringLiteral("toets.res")),
                 QByteArray("Anna\r\nNederland\r\n 2 \r\n 3 \r\n 2 \r\n"));

        // Game: a flooded city takes no more water; the game ends when both cities are flooded.
        Screen game(3);
        game.show();
        game.doubleClick(1);
        QTRY_COMPARE(game.status(), QStringLiteral("Anna, besproei Zwolle!"));
        QCOMPARE(game.counters(), QStringList({QStringLiteral("1"), QStringLiteral("2")}));
        game.doubleClick(1);
        QCOMPARE(game.status(), QStringLiteral("Anna, besproei Zwolle!"));
        QCOMPARE(game.counters(), QStringList({QStringLiteral("1"), QStringLiteral("2")}));
        QVERIFY(!game.widget(QStringLiteral("Plas_2")));
        game.doubleClick(2);
        QTRY_COMPARE(game.status(), QStringLiteral("Je hebt alle steden onder water laten lopen! Je had er 2 goed!"));
        QVERIFY(!game.widget(QStringLiteral("Plas_3")));
    }

    void gamePuddlesGrow()
    {
        Screen screen(3);
        screen.show();
        QCOMPARE(screen.status(), QStringLiteral("Anna, besproei Amsterdam!"));
        screen.click(1);
        auto* first = screen.kaart.findChild<velmora::MapShape*>(QStringLiteral("Plas_1"));
        QVERIFY(first);
        QCOMPARE(first->fillColor(), QColor(0, 0, 255));
        screen.click(2); // ignored while growing
        QVERIFY(!screen.widget(QStringLiteral("Plas_2")));
        QTRY_VERIFY(!screen.timer("GroeiPlas")->isActive());
        // Grown around the marker's centre, above the marker and hotspot.
        QCOMPARE(first->geometry(), QRect(71, 91, 35, 35));
        QWidget* picture = screen.widget(QStringLiteral("Picture1"));
        QVERIFY(picture->children().indexOf(first) > picture->children().indexOf(screen.widget(QStringLiteral("HotSpot_1"))));
        QCOMPARE(screen.status(), QStringLiteral("Anna, besproei Zwolle!"));

        QTest::mousePress(picture, Qt::RightButton, {}, QPoint(500, 350));
        QCOMPARE(screen.status(), QStringLiteral("Je moet wel een stad besproeien!"));
        QTRY_COMPARE(screen.status(), QStringLiteral("Anna, besproei Zwolle!"));
        QCOMPARE(screen.widget(QStringLiteral("Plas_2"))->geometry(), QRect(483, 333, 35, 35));
        QCOMPARE(screen.text("lblAantGehad"), QStringLiteral("1"));

        // On a smaller screen the map and its puddles are shown at half size.
        screen.kaart.resize(800, 280);
        QCOMPARE(picture->size(), QSize(300, 200));
        QCOMPARE(first->geometry(), QRect(36, 46, 18, 17));
    }
};

QTEST_MAIN(TestQuizScreen)
#include "tst_quizscreen.moc"
