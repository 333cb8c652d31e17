#include "demomap.h"
#include "fakedialogs.h"
#include "frmkaart.h"
#include "hotspot.h"
#include "mapcursors.h"
#include "mapdrawing.h"
#include "maplegend.h"
#include "mappicture.h"
#include "mapshape.h"
#include "plaatsen.h"
#include "twipsgeometry.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace korvel;
using velmora::TwipsGeometry;

namespace {

// Levels in file order; item 5 (level 3) is left out at level 2.
const QByteArray Items = "1 s 1500 1200 Amsterdam\r\n"
                         "1 d 3000 8900 Zwolle\r\n"
                         "2 w 600  4000 IJsselmeer\r\n"
                         "2 g 4500 2000 Texel\r\n"
                         "3 s 5000 5000 Utrecht\r\n";

Keuze keuze(const QString& name = QStringLiteral("Anna"), int niveau = 2)
{
    return Keuze{name, QStringLiteral("Nederland"), QStringLiteral("NEDERLAND.KRT   "), niveau};
}

template <typename T>
T* child(const QWidget& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

} // namespace

class TestFrmKaart : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QCoreApplication::setApplicationName(QStringLiteral("Korvel")); }

    void opensInLookMode()
    {
        TestFolder folder;
        writeDemoMap(folder, "nederland.krt", Items);
        velmora::Plaatsen plaatsen;
        frmKaart kaart(plaatsen);
        kaart.Mode = 0;
        QVERIFY(kaart.open(keuze()));

        QCOMPARE(kaart.windowTitle(), QStringLiteral("Nederland"));
        QCOMPARE(child<QLabel>(kaart, "lblStatus")->text(), QStringLiteral("Anna"));
        QCOMPARE(child<QWidget>(kaart, "Frame1")->geometry(), QRect(16, 8, 993, 57));
        QCOMPARE(child<QLabel>(kaart, "lblStatus")->geometry(), QRect(8, 16, 977, 41));
        QCOMPARE(child<QPushButton>(kaart, "cmdClose")->geometry(), QRect(888, 72, 113, 33));
        QCOMPARE(child<QPushButton>(kaart, "cmdClose")->text(), QStringLiteral("Sluiten"));
        QCOMPARE(child<QWidget>(kaart, "Picture1")->geometry(), QRect(16, 72, 600, 400));

        // Legend: left = picture width + 355, bottom level with the picture's bottom.
        const QRect legend = TwipsGeometry::get(child<QWidget>(kaart, "Legenda"));
        QCOMPARE(legend.left(), 9000 + 355);
        QCOMPARE(legend.bottom() + 1, 1080 + 6000);
        // Counters 155 twips above the legend, hidden while looking.
        auto* status = child<QWidget>(kaart, "Status");
        const QRect counters = TwipsGeometry::get(status);
        QCOMPARE(counters, QRect(9355, legend.top() - 155 - 1215, 2055, 1215));
        QVERIFY(status->isHidden());
        QCOMPARE(child<QLabel>(kaart, "lblAantalTeDoen")->text(), QStringLiteral("Aantal te doen:"));
        QCOMPARE(child<QLabel>(kaart, "lblAantGehad")->text(), QStringLiteral("0"));
        // Each counter caption fits beside its number, whichever caption it shows.
        auto* teDoen = child<QLabel>(kaart, "lblAantalTeDoen");
        QVERIFY(teDoen->sizeHint().width() <= teDoen->width());
        QVERIFY(child<QLabel>(kaart, "Label5")->sizeHint().width() <= teDoen->width());
        QVERIFY(teDoen->geometry().right() < child<QLabel>(kaart, "lblAantOver")->x());

        // Items of level 2 and below, in the shared table and on the map.
        QCOMPARE(kaart.quiz().AantRecs, 5);
        QCOMPARE(kaart.quiz().AantPlaatsen, 4);
        QCOMPARE(kaart.quiz().AantSteden, 2);
        QCOMPARE(plaatsen[5].Naam, QStringLiteral("Utrecht"));
        QVERIFY(child<velmora::HotSpot>(kaart, "HotSpot_4"));
        QVERIFY(!child<velmora::HotSpot>(kaart, "HotSpot_5"));
        QCOMPARE(child<velmora::MapShape>(kaart, "shpPlaatsSml_2")->form(), velmora::MapShape::Form::Circle);
        QCOMPARE(child<velmora::MapShape>(kaart, "shpPlaatsSml_3")->fillColor(), QColor(0, 0, 160));
        QVERIFY(child<velmora::MapShape>(kaart, "shpPlaatsSml_3")->isVisibleTo(&kaart));
        QCOMPARE(child<velmora::HotSpot>(kaart, "HotSpot_1")->geometry(), QRect(72, 92, 33, 33));
        // Zwolle lies near the right edge: its label ends at the picture's right edge.
        QCOMPARE(child<QLabel>(kaart, "lblPlaats_2")->geometry().right() + 1, 600);
        QCOMPARE(child<QWidget>(kaart, "HotSpot_1")->cursor().hotSpot(), QPoint(11, 5));

        // The special names.
        QVERIFY(kaart.open(keuze(QStringLiteral("Ostrik Brelloven"))));
        QCOMPARE(child<QLabel>(kaart, "lblStatus")->text(), QStringLiteral("Ostrik Brelletje"));
        QVERIFY(kaart.open(keuze(QStringLiteral("Harmo Dulvers"))));
        QCOMPARE(child<QLabel>(kaart, "lblStatus")->text(), QStringLiteral("Harmo 'The Creator' Dulvers"));
        QVERIFY(kaart.open(keuze(QStringLiteral("harmo dulvers"))));
        QCOMPARE(child<QLabel>(kaart, "lblStatus")->text(), QStringLiteral("harmo dulvers"));

        // Level 1 of a map whose items are all of level 2 or 3: picture and legend only.
        writeDemoMap(folder, "nederland.krt", "2 s 1500 1200 Amsterdam\r\n3 d 3000 3000 Zwolle\r\n");
        QVERIFY(kaart.open(keuze(QStringLiteral("Anna"), 1)));
        QCOMPARE(kaart.quiz().AantPlaatsen, 0);
        QVERIFY(!child<velmora::HotSpot>(kaart, "HotSpot_1"));
        QVERIFY(child<QWidget>(kaart, "Status")->isHidden());
        QVERIFY(child<QWidget>(kaart, "Legenda")->isVisibleTo(&kaart));
    }

    void hoverNamesOnlyWhileLooking()
    {
        TestFolder folder;
        writeDemoMap(folder, "nederland.krt", Items);
        velmora::Plaatsen plaatsen;
        frmKaart kaart(plaatsen);
        for (int mode : {0, 1, 2}) {
            kaart.Mode = mode;
            QVERIFY(kaart.open(keuze()));
            kaart.show();
            QVERIFY(QTest::qWaitForWindowExposed(&kaart));
            auto* label = child<QLabel>(kaart, "lblPlaats_1");
            QTest::mouseMove(child<QWidget>(kaart, "HotSpot_1"), QPoint(16, 16));
            QTRY_COMPARE(label->isVisible(), mode == 0);
            QTest::mouseMove(child<QWidget>(kaart, "HotSpot_4"), QPoint(16, 16));
            QTRY_COMPARE(child<QLabel>(kaart, "lblPlaats_4")->isVisible(), mode == 0);
            QVERIFY(!label->isVisible());
            QTest::mouseMove(child<QWidget>(kaart, "Picture1"), QPoint(590, 10));
            QTRY_VERIFY(!child<QLabel>(kaart, "lblPlaats_4")->isVisible());
            kaart.hide();
        }
    }

    void gameHidesWatersAndAreas()
    {
        TestFolder folder;
        writeDemoMap(folder, "nederland.krt", Items + "1 x 300  300  Onbekend\r\n");
        velmora::Plaatsen plaatsen;
        frmKaart kaart(plaatsen);
        kaart.Mode = 3;
        QVERIFY(kaart.open(keuze(QStringLiteral("Anna"), 3)));
        for (const char* name : {"shpPlaatsSml_3", "HotSpot_3", "shpPlaatsSml_4", "HotSpot_4"})
            QVERIFY2(!child<QWidget>(kaart, name)->isVisibleTo(&kaart), name);
        for (const char* name : {"HotSpot_1", "HotSpot_2", "HotSpot_5", "HotSpot_6", "shpPlaatsSml_6"})
            QVERIFY2(child<QWidget>(kaart, name)->isVisibleTo(&kaart), name);
        QVERIFY(child<QWidget>(kaart, "Status")->isVisibleTo(&kaart));
        QCOMPARE(child<QLabel>(kaart, "lblAantOver")->text(), QStringLiteral("3"));
        QCOMPARE(child<QWidget>(kaart, "Picture1")->cursor().hotSpot(), velmora::MapCursors::CloudHotSpot);
        QCOMPARE(child<QWidget>(kaart, "HotSpot_1")->cursor().hotSpot(), velmora::MapCursors::CloudHotSpot);

        // Back to looking: the same window object shows waters again, with the hand.
        kaart.Mode = 0;
        QVERIFY(kaart.open(keuze(QStringLiteral("Anna"), 3)));
        QVERIFY(child<QWidget>(kaart, "HotSpot_3")->isVisibleTo(&kaart));
        QCOMPARE(child<QWidget>(kaart, "HotSpot_3")->cursor().hotSpot(), QPoint(11, 5));
        QCOMPARE(child<QWidget>(kaart, "Picture1")->cursor().shape(), Qt::ArrowCursor);

        // No cities at this level: the game ends at once.
        writeDemoMap(folder, "nederland.krt", "1 w 600  4000 IJsselmeer\r\n");
        kaart.Mode = 3;
        QVERIFY(kaart.open(keuze()));
        QCOMPARE(child<QLabel>(kaart, "lblStatus")->text(), QStringLiteral("Er zijn geen steden om te besproeien!"));
        QCOMPARE(kaart.Mode, -1);
    }

    void badMapsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("krt");
        QTest::addColumn<QByteArray>("bmp");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no map file") << QByteArray() << QByteArray("ok")
                                     << QStringLiteral("Het bestand \"NEDERLAND.KRT\" is niet gevonden.");
        QTest::newRow("no picture") << QByteArray("weg.bmp\r\n1 s 100  100  A\r\n") << QByteArray("ok")
                                    << QStringLiteral("Het bestand \"weg.bmp\" is niet gevonden.");
        QTest::newRow("not a picture") << QByteArray("demo.bmp\r\n") << QByteArray("BM kapot")
                                       << QStringLiteral("Het bestand \"demo.bmp\" kan niet worden gelezen.");
        QTest::newRow("bad line") << QByteArray("demo.bmp\r\n1 s 100  100  A\r\nx s 100  100  B\r\n")
                                  << QByteArray("ok")
                                  << QStringLiteral("Regel 3 van het bestand \"NEDERLAND.KRT\" is onleesbaar");
        QByteArray many = "demo.bmp\r\n";
        for (int i = 0; i < 501; ++i)
            many += "1 s 100  100  P\r\n";
        QTest::newRow("501 items") << many << QByteArray("ok")
                                   << QStringLiteral("Het bestand \"NEDERLAND.KRT\" bevat meer dan 500 onderdelen.");
        QTest::newRow("picture path") << QByteArray("..\\demo.bmp\r\n") << QByteArray("ok")
                                      << QStringLiteral("geen geldige bestandsnaam");
    }

    void badMapsAreRefused()
    {
        QFETCH(QByteArray, krt);
        QFETCH(QByteArray, bmp);
        QFETCH(QString, reason);
        TestFolder folder;
        writeDemoMap(folder, "ok.krt", "1 s 100  100  Oud\r\n");
        if (bmp != "ok")
            folder.write(QStringLiteral("demo.bmp"), bmp);
        if (!krt.isEmpty())
            folder.write(QStringLiteral("nederland.krt"), krt);
        const QStringList before = QDir(folder.path()).entryList(QDir::Files);

        FakeDialogs dialogs;
        velmora::Plaatsen plaatsen;
        plaatsen[1].Naam = QStringLiteral("Oud");
        frmKaart kaart(plaatsen);
        kaart.Mode = 2;
        kaart.showModal(keuze()); // returns at once: the screen does not open
        QVERIFY(!kaart.isVisible());
        QCOMPARE(dialogs.messages.size(), 1);
        const auto& message = dialogs.messages[0];
        QVERIFY2(message.text.startsWith(QStringLiteral("De kaart \"Nederland\" kan niet worden geopend.")),
                 qPrintable(message.text));
        QVERIFY2(message.text.contains(reason), qPrintable(message.text));
        QCOMPARE(message.caption, QStringLiteral("Korvel"));
        QCOMPARE(message.icon, velmora::MessageIcon::Critical);
        QCOMPARE(message.buttons, velmora::MessageButtons::Ok);
        QCOMPARE(plaatsen[1].Naam, QStringLiteral("Oud"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), before);
    }

    void closesAndStaysMaximised()
    {
        TestFolder folder;
        writeDemoMap(folder, "nederland.krt", Items);
        velmora::Plaatsen plaatsen;
        frmKaart kaart(plaatsen);
        kaart.Mode = 1;
        // Inside the modal loop only observations are taken, so the window always closes.
        bool wasMaximised = false;
        bool cameBack = false;
        bool escapeKeptIt = false;
        QTimer::singleShot(0, &kaart, [&] {
            wasMaximised = QTest::qWaitForWindowExposed(&kaart) && kaart.isMaximized();
            kaart.showMinimized();
            cameBack = QTest::qWaitFor([&] { return kaart.isMaximized() && !kaart.isMinimized(); });
            QTest::keyClick(&kaart, Qt::Key_Escape);
            escapeKeptIt = kaart.isVisible();
            QTest::mouseClick(child<QPushButton>(kaart, "cmdClose"), Qt::LeftButton);
        });
        kaart.showModal(keuze());
        QVERIFY(wasMaximised);
        QVERIFY(cameBack);
        QVERIFY(escapeKeptIt);
        QVERIFY(!kaart.isVisible());

        // The close box does the same, and no timer outlives the screen.
        bool timerRan = false;
        QTimer::singleShot(0, &kaart, [&] {
            QTest::mouseClick(child<QWidget>(kaart, "HotSpot_1"), Qt::LeftButton);
            timerRan = child<QTimer>(kaart, "Timer1")->isActive() || child<QTimer>(kaart, "Timer2")->isActive();
            kaart.close();
        });
        kaart.showModal(keuze());
        QVERIFY(timerRan);
        QVERIFY(!kaart.isVisible());
        QVERIFY(!child<QTimer>(kaart, "Timer1")->isActive());
        QVERIFY(!child<QTimer>(kaart, "Timer2")->isActive());
    }
};

QTEST_MAIN(TestFrmKaart)
#include "tst_frmkaart.moc"
