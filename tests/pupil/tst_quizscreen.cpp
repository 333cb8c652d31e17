#include "demomap.h"
#include "frmkaart.h"
#include "mapshape.h"
#include "plaatsen.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace korvel;

namespace {

const QByteArray Items = "1 s 1500 1200 Amsterdam\r\n"
                         "1 d 3000 6000 Zwolle\r\n"
                         "1 w 600  4000 IJsselmeer\r\n";

Keuze keuze()
{
    return Keuze{QStringLiteral("Anna"), QStringLiteral("Nederland  "), QStringLiteral("nederland.krt"), 2};
}

struct Screen
{
    TestFolder folder;
    velmora::Plaatsen plaatsen;
    frmKaart kaart{plaatsen};

    explicit Screen(int mode, const QByteArray& items = Items)
    {
        writeDemoMap(folder, "nederland.krt", items);
        kaart.Mode = mode;
        kaart.setRandomSource([](int) { return 0; });
    }
    QString status() const { return text("lblStatus"); }
    QString text(const char* name) const { return kaart.findChild<QLabel*>(QString::fromLatin1(name))->text(); }
    void click(int index)
    {
        QTest::mouseClick(kaart.findChild<QWidget*>(QStringLiteral("HotSpot_%1").arg(index)), Qt::LeftButton, {},
                          QPoint(16, 16));
    }
    QTimer* timer(const char* name) const { return kaart.findChild<QTimer*>(QString::fromLatin1(name)); }
};

} // namespace

class TestQuizScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void practiceThroughTheScreen()
    {
        Screen screen(1);
        QVERIFY(screen.kaart.open(keuze()));
        screen.kaart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen.kaart));
        QCOMPARE(screen.timer("Timer1")->interval(), 1000);
        QCOMPARE(screen.text("lblAantalTeDoen"), QStringLiteral("Aantal goed:"));
        QCOMPARE(screen.status(), QStringLiteral("Anna, wijs aan op de kaart: Amsterdam"));

        screen.click(1);
        QCOMPARE(screen.status(), QStringLiteral("Goed zo!!"));
        QCOMPARE(screen.text("lblAantGehad"), QStringLiteral("1"));
        QCOMPARE(screen.text("lblAantOver"), QStringLiteral("1"));
        QVERIFY(screen.timer("Timer1")->isActive());
        // One second later the next item; never the same one twice in a row.
        QTRY_COMPARE(screen.status(), QStringLiteral("Anna, wijs aan op de kaart: Zwolle"));
        QVERIFY(!screen.timer("Timer1")->isActive());

        // A right-button click is no answer; a wrong left click names the clicked item.
        QTest::mouseClick(screen.kaart.findChild<QWidget*>(QStringLiteral("HotSpot_3")), Qt::RightButton);
        QCOMPARE(screen.text("lblAantGehad"), QStringLiteral("1"));
        screen.click(3);
        QCOMPARE(screen.status(), QStringLiteral("Fout! Dit is IJsselmeer"));
        QCOMPARE(screen.text("lblAantOver"), QStringLiteral("1"));
        QTRY_COMPARE(screen.status(), QStringLiteral("Anna, wijs op de kaart aan: Zwolle"));

        // Mouse presses on the map itself do nothing outside the game.
        QTest::mousePress(screen.kaart.findChild<QWidget*>(QStringLiteral("Picture1")), Qt::LeftButton, {},
                          QPoint(590, 390));
        QCOMPARE(screen.status(), QStringLiteral("Anna, wijs op de kaart aan: Zwolle"));
        QVERIFY(!screen.kaart.findChild<velmora::MapShape*>(QStringLiteral("Plas_1")));
    }

    void testThroughTheScreen()
    {
        Screen screen(2);
        // Closed before the last answer: nothing is written. Inside the modal
        // loop only observations are taken, so the window always closes.
        QString counterAfterOne;
        QTimer::singleShot(0, &screen.kaart, [&] {
            screen.click(screen.kaart.quiz().plek);
            counterAfterOne = screen.text("lblAantOver");
            QTest::mouseClick(screen.kaart.findChild<QPushButton*>(QStringLiteral("cmdClose")), Qt::LeftButton);
        });
        screen.kaart.showModal(keuze());
        QCOMPARE(counterAfterOne, QStringLiteral("2"));
        QVERIFY(!screen.folder.exists(QStringLiteral("toets.res")));

        // A whole test: the counters count down, one record at the end, then the screen stops reacting.
        QStringList seen;
        QTimer::singleShot(0, &screen.kaart, [&] {
            seen << screen.text("lblAantOver");
            screen.click(3); // wrong: Amsterdam is asked first
            screen.click(screen.kaart.quiz().plek);
            screen.click(screen.kaart.quiz().plek);
            seen << screen.status() << QString::number(screen.kaart.Mode);
            screen.click(1);
            seen << screen.text("lblAantGehad") << screen.text("lblAantOver");
            screen.kaart.close();
        });
        screen.kaart.Mode = 2;
        screen.kaart.showModal(keuze());
        QCOMPARE(seen, QStringList({QStringLiteral("3"), QStringLiteral("Anna, je bent klaar met de toets!"),
                                    QStringLiteral("-1"), QStringLiteral("3"), QStringLiteral("0")}));
        QCOMPARE(screen.folder.read(QStringLiteral("toets.res")),
                 QByteArray("Anna\r\nNederland\r\n 2 \r\n 3 \r\n 2 \r\n"));
    }

    void gamePuddlesGrow()
    {
        Screen screen(3);
        QVERIFY(screen.kaart.open(keuze()));
        screen.kaart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen.kaart));
        QCOMPARE(screen.status(), QStringLiteral("Anna, besproei Amsterdam!"));
        QCOMPARE(screen.timer("GroeiPlas")->interval(), 50);

        screen.click(1);
        auto* first = screen.kaart.findChild<velmora::MapShape*>(QStringLiteral("Plas_1"));
        QVERIFY(first);
        QCOMPARE(first->form(), velmora::MapShape::Form::Oval);
        QCOMPARE(first->fillColor(), QColor(0, 0, 255));
        QCOMPARE(first->outlineColor(), QColor(0, 0, 128));
        QCOMPARE(first->geometry(), QRect(89, 109, 1, 0));
        QVERIFY(screen.timer("GroeiPlas")->isActive());
        screen.click(2); // ignored while growing
        QVERIFY(!screen.kaart.findChild<velmora::MapShape*>(QStringLiteral("Plas_2")));
        QTRY_VERIFY(!screen.timer("GroeiPlas")->isActive());
        // 520 twips high and 529 wide around the marker's centre, above the marker and hotspot.
        QCOMPARE(first->geometry(), QRect(71, 91, 35, 35));
        QWidget* picture = screen.kaart.findChild<QWidget*>(QStringLiteral("Picture1"));
        QVERIFY(picture->children().indexOf(first)
                > picture->children().indexOf(screen.kaart.findChild<QWidget*>(QStringLiteral("HotSpot_1"))));
        QCOMPARE(screen.status(), QStringLiteral("Anna, besproei Zwolle!"));

        QTest::mousePress(picture, Qt::RightButton, {}, QPoint(500, 350));
        QCOMPARE(screen.status(), QStringLiteral("Je moet wel een stad besproeien!"));
        QTRY_VERIFY(!screen.timer("GroeiPlas")->isActive());
        QCOMPARE(screen.kaart.findChild<velmora::MapShape*>(QStringLiteral("Plas_2"))->geometry(),
                 QRect(483, 333, 35, 35));
        QCOMPARE(screen.text("lblAantGehad"), QStringLiteral("1"));
        QCOMPARE(screen.status(), QStringLiteral("Anna, besproei Zwolle!"));
    }
};

QTEST_MAIN(TestQuizScreen)
#include "tst_quizscreen.moc"
