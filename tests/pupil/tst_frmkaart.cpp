// The map screen of the pupil program: its layout on school screens, what it
// shows per activity, maps it refuses, and the quiz driven through its widgets.
#include "demomap.h"
#include "fakedialogs.h"
#include "frmkaart.h"
#include "mapshape.h"
#include "plaatsen.h"
#include "twips.h"
#include "windowdriver.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <sys/stat.h>

using namespace korvel;

namespace {

// Levels in file order; item 5 (level 3) is left out at level 2.
const QByteArray Items = "1 s 1500 1200 Amsterdam\r\n"
                         "1 d 3000 8900 Zwolle\r\n"
                         "2 w 600  4000 IJsselmeer\r\n"
                         "2 g 4500 2000 Texel\r\n"
                         "3 s 5000 5000 Utrecht\r\n";

Keuze keuze(const char* name = "Anna", int niveau = 2)
{
    return Keuze{QString::fromLatin1(name), QStringLiteral("Nederland"), QStringLiteral("NEDERLAND.KRT   "),
                 niveau};
}

struct Screen
{
    TestFolder folder;
    velmora::Plaatsen plaatsen;
    frmKaart kaart{plaatsen};
    const Keuze keuze{QStringLiteral("Anna"), QStringLiteral("Nederland  "), QStringLiteral("nederland.krt"),
                      2};

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
    QString text(const char* name) const
    {
        return kaart.findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    QString status() const { return text("lblStatus"); }
    QWidget* widget(const QString& name) const { return kaart.findChild<QWidget*>(name); }
    // The widget on top at the centre of item `index`'s marker, and that point in it.
    std::pair<QWidget*, QPoint> at(int index) const
    {
        const velmora::Plaats& item = plaatsen[index];
        const QPoint centre(velmora::Twips::toPixels(item.Left + 127),
                            velmora::Twips::toPixels(item.Top + 127));
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
        QCOMPARE(drive::child<QLabel>(kaart, "lblStatus")->text(), QStringLiteral("Anna"));
        const std::pair<const char*, QRect> layout[] = {{"Frame1", QRect(16, 8, 993, 57)},
                                                        {"lblStatus", QRect(8, 16, 977, 41)},
                                                        {"cmdClose", QRect(888, 72, 113, 33)},
                                                        {"Picture1", QRect(16, 72, 600, 400)},
                                                        {"HotSpot_1", QRect(72, 92, 33, 33)}};
        for (const auto& [name, rect] : layout)
            QCOMPARE(drive::child(kaart, name)->geometry(), rect);

        QVERIFY(drive::child(kaart, "Status")->isHidden()); // the counters, while looking

        // Items of level 2 and below, in the shared table and on the map.
        QCOMPARE(kaart.quiz().AantPlaatsen(), 4);
        QCOMPARE(plaatsen[5].Naam, QStringLiteral("Utrecht"));
        QVERIFY(kaart.findChild<QWidget*>(QStringLiteral("HotSpot_4")));
        QVERIFY(!kaart.findChild<QWidget*>(QStringLiteral("HotSpot_5")));

        // The special names, spelled exactly.
        for (const auto& [name, shown] : {std::pair("Ostrik Brelloven", "Ostrik Brelletje"),
                                          std::pair("Harmo Dulvers", "Harmo 'The Creator' Dulvers"),
                                          std::pair("harmo dulvers", "harmo dulvers")}) {
            QVERIFY(kaart.open(keuze(name)));
            QCOMPARE(drive::child<QLabel>(kaart, "lblStatus")->text(), QString::fromLatin1(shown));
        }

        // Level 1 of a map whose items are all of level 2 or 3: picture and legend only.
        writeDemoMap(folder, "nederland.krt", "2 s 1500 1200 Amsterdam\r\n3 d 3000 3000 Zwolle\r\n");
        QVERIFY(kaart.open(keuze("Anna", 1)));
        QVERIFY(!kaart.findChild<QWidget*>(QStringLiteral("HotSpot_1")));
        QVERIFY(drive::child(kaart, "Legenda")->isVisibleTo(&kaart));
    }

    void hoverNamesOnlyWhileLooking()
    {
        TestFolder folder;
        writeDemoMap(folder, "nederland.krt", Items);
        velmora::Plaatsen plaatsen;
        frmKaart kaart(plaatsen);
        for (int mode : {0, 1}) {
            kaart.Mode = mode;
            QVERIFY(kaart.open(keuze()));
            kaart.show();
            QVERIFY(QTest::qWaitForWindowExposed(&kaart));
            QTest::mouseMove(drive::child(kaart, "HotSpot_1"), QPoint(16, 16));
            QTRY_COMPARE(drive::child(kaart, "lblPlaats_1")->isVisible(), mode == 0);
            if (mode == 0) {
                // The label hangs over the bottom of its own hotspot: there it stays.
                QWidget* label = drive::child(kaart, "lblPlaats_1");
                const QPoint overlap = label->mapTo(&kaart, QPoint(label->width() / 2, 2));
                QCOMPARE(kaart.childAt(overlap), label);
                QTest::mouseMove(&kaart, overlap);
                QVERIFY(label->isVisible());
                QTest::mouseMove(&kaart, overlap + QPoint(0, label->height() - 4));
                QTRY_VERIFY(!label->isVisible());
            }
            QTest::mouseMove(drive::child(kaart, "HotSpot_4"), QPoint(16, 16));
            QTRY_COMPARE(drive::child(kaart, "lblPlaats_4")->isVisible(), mode == 0);
            QVERIFY(!drive::child(kaart, "lblPlaats_1")->isVisible());
            QTest::mouseMove(drive::child(kaart, "Picture1"), QPoint(590, 10));
            QTRY_VERIFY(!drive::child(kaart, "lblPlaats_4")->isVisible());
            kaart.hide();
        }
    }

    void gameHidesWatersAndAreas()
    {
        TestFolder folder;
        writeDemoMap(folder, "nederland.krt", Items + "3 x 300  300  Onbekend\r\n");
        velmora::Plaatsen plaatsen;
        frmKaart kaart(plaatsen);
        kaart.Mode = 3;
        QVERIFY(kaart.open(keuze("Anna", 3)));
        for (const char* name : {"shpPlaatsSml_3", "HotSpot_3", "shpPlaatsSml_4", "HotSpot_4"})
            QVERIFY2(!drive::child(kaart, name)->isVisibleTo(&kaart), name);
        for (const char* name :
             {"HotSpot_1", "HotSpot_2", "HotSpot_5", "HotSpot_6", "shpPlaatsSml_6", "Status"})
            QVERIFY2(drive::child(kaart, name)->isVisibleTo(&kaart), name);
        QCOMPARE(drive::child<QLabel>(kaart, "lblAantOver")->text(), QStringLiteral("3"));

        // Back to looking: the same window object shows waters again.
        kaart.Mode = 0;
        QVERIFY(kaart.open(keuze("Anna", 3)));
        QVERIFY(drive::child(kaart, "HotSpot_3")->isVisibleTo(&kaart));

        // No cities at this level: the game ends at once.
        writeDemoMap(folder, "nederland.krt", "1 w 600  4000 IJsselmeer\r\n");
        kaart.Mode = 3;
        QVERIFY(kaart.open(keuze()));
        QCOMPARE(drive::child<QLabel>(kaart, "lblStatus")->text(),
                 QStringLiteral("Er zijn geen steden om te besproeien!"));
        QCOMPARE(kaart.Mode, -1);
    }

    // The demo maps on the screens of schools: every item can be hit and nothing lies over it,
    // and where a map fits at its own size it is shown exactly so.
    void demoMapsFitTheScreen_data()
    {
        QTest::addColumn<QString>("map");
        QTest::addColumn<QSize>("screen");
        for (const char* map : {"Nederland", "Europa"})
            for (const QSize screen : {QSize(1024, 768), QSize(1366, 768), QSize(1920, 1080)})
                QTest::addRow("%s %dx%d", map, screen.width(), screen.height())
                    << QString::fromLatin1(map) << screen;
        QTest::addRow("Oefenkaart 1024x768") << QStringLiteral("Oefenkaart") << QSize(1024, 768);
    }

    void demoMapsFitTheScreen()
    {
        QFETCH(QString, map);
        QFETCH(QSize, screen);
        TestFolder folder;
        for (const QString& name :
             {map.toLower() + QStringLiteral(".krt"), map.toLower() + QStringLiteral(".bmp")})
            QVERIFY(QFile::copy(QStringLiteral(VELMORA_SOURCE_DIR "/demo/") + name, folder.file(name)));
        velmora::Plaatsen plaatsen;
        frmKaart kaart(plaatsen);
        kaart.Mode = 2; // the counters stand beside the picture too
        QVERIFY(kaart.open(Keuze{QStringLiteral("Anna"), map, map.toLower() + QStringLiteral(".krt"), 3}));
        // Opened on one screen, then shown on the school's.
        kaart.setWindowState(Qt::WindowMaximized);
        kaart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&kaart));
        kaart.resize(screen);
        QCOMPARE(kaart.size(), screen);

        QWidget* picture = drive::child(kaart, "Picture1");
        const QRect shown = picture->geometry();
        const QSize natural = QImage(folder.file(map.toLower() + QStringLiteral(".bmp"))).size();
        // The small practice map fits every screen.
        QCOMPARE(shown.size() == natural, screen == QSize(1920, 1080) || map == u"Oefenkaart");
        for (const char* name : {"Frame1", "cmdClose", "Legenda", "Status"}) {
            QWidget* control = drive::child(kaart, name);
            QVERIFY2(kaart.rect().contains(control->geometry()) && !control->geometry().intersects(shown),
                     name);
            QWidget* hit = kaart.childAt(control->geometry().center());
            QVERIFY2(hit == control || control->isAncestorOf(hit), name);
        }
        for (int j = 1; j <= kaart.quiz().AantRecs(); ++j) {
            const velmora::Plaats& item = plaatsen[j];
            QWidget* spot = drive::child(kaart, qPrintable(QStringLiteral("HotSpot_%1").arg(j)));
            const QRect area = spot->geometry().translated(shown.topLeft());
            QVERIFY2(shown.contains(area) && area.width() >= 24 && area.height() >= 24,
                     qPrintable(item.Naam));
            QCOMPARE(kaart.childAt(area.center()), spot);
            // Names keep their size and stay inside the picture as shown.
            const QRect label =
                drive::child(kaart, qPrintable(QStringLiteral("lblPlaats_%1").arg(j)))->geometry();
            QVERIFY2(QRect(QPoint(0, 0), shown.size()).contains(label), qPrintable(item.Naam));
            if (screen == QSize(1920, 1080))
                QCOMPARE(spot->geometry(), velmora::Twips::rect(item.Left - 120, item.Top - 120, 495, 495));
        }
    }

    // The map reader's own errors are checked with the map file; here one of them and
    // the picture's reach the pupil, and the screen does not open.
    void badMapsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("krt");
        QTest::addColumn<QByteArray>("bmp");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no picture") << QByteArray("weg.bmp\r\n1 s 100  100  A\r\n") << QByteArray()
                                    << QStringLiteral("Het bestand \"weg.bmp\" is niet gevonden.");
        QTest::newRow("not a picture") << QByteArray("demo.bmp\r\n") << QByteArray("BM kapot")
                                       << QStringLiteral("Het bestand \"demo.bmp\" kan niet worden gelezen.");
        // A pupil can plant a FIFO under the picture's name: refused, never waited on.
        QTest::newRow("picture is a FIFO") << QByteArray("demo.bmp\r\n") << QByteArray("fifo")
                                           << QStringLiteral("\"demo.bmp\" is geen gewoon bestand");
        QTest::newRow("bad line") << QByteArray("demo.bmp\r\n1 s 100  100  A\r\nx s 100  100  B\r\n")
                                  << QByteArray()
                                  << QStringLiteral(
                                         "Regel 3 van het bestand \"NEDERLAND.KRT\" is onleesbaar");
    }

    void badMapsAreRefused()
    {
        QFETCH(QByteArray, krt);
        QFETCH(QByteArray, bmp);
        QFETCH(QString, reason);
        TestFolder folder;
        writeDemoMap(folder, "ok.krt", "1 s 100  100  Oud\r\n");
        if (bmp == "fifo") {
            const QString picture = folder.file(QStringLiteral("demo.bmp"));
            QVERIFY(QFile::remove(picture));
            QCOMPARE(mkfifo(QFile::encodeName(picture).constData(), 0600), 0);
        } else if (!bmp.isEmpty())
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
        const QString message = dialogs.messages[0].text;
        QVERIFY2(message.startsWith(QStringLiteral("De kaart \"Nederland\" kan niet worden geopend.")),
                 qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
        QCOMPARE(dialogs.messages[0].icon, velmora::MessageIcon::Critical);
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
        bool wasMaximised = false, cameBack = false, escapeKeptIt = false;
        QTimer::singleShot(0, &kaart, [&] {
            wasMaximised = QTest::qWaitForWindowExposed(&kaart) && kaart.isMaximized();
            kaart.showMinimized();
            cameBack = QTest::qWaitFor([&] { return kaart.isMaximized() && !kaart.isMinimized(); });
            kaart.showNormal();
            cameBack = cameBack && QTest::qWaitFor([&] { return kaart.isMaximized(); });
            QTest::keyClick(&kaart, Qt::Key_Escape);
            escapeKeptIt = kaart.isVisible();
            QTest::mouseClick(drive::child(kaart, "cmdClose"), Qt::LeftButton);
        });
        kaart.showModal(keuze());
        QVERIFY(wasMaximised && cameBack && escapeKeptIt);
        QVERIFY(!kaart.isVisible());

        // The close box does the same, and no timer outlives the screen.
        bool timerRan = false;
        QTimer::singleShot(0, &kaart, [&] {
            QTest::mouseClick(drive::child(kaart, "HotSpot_1"), Qt::LeftButton);
            timerRan = kaart.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive() ||
                       kaart.findChild<QTimer*>(QStringLiteral("Timer2"))->isActive();
            kaart.close();
        });
        kaart.showModal(keuze());
        QVERIFY(timerRan);
        QVERIFY(!kaart.isVisible());
        for (const char* timer : {"Timer1", "Timer2"})
            QVERIFY(!kaart.findChild<QTimer*>(QString::fromLatin1(timer))->isActive());
    }

    // The screen only forwards clicks, presses and timer ticks to the quiz and shows
    // what it says; these follow that path, clicking whatever a person hits on a marker.
    void testThroughTheScreen()
    {
        Screen screen(2);
        // Closed before the last answer: nothing is written. Inside the modal
        // loop only observations are taken, so the window always closes.
        QStringList seen;
        QTimer::singleShot(0, &screen.kaart, [&] {
            screen.click(1);
            seen << screen.text("lblAantOver");
            QTest::mouseClick(screen.kaart.findChild<QPushButton*>(QStringLiteral("cmdClose")),
                              Qt::LeftButton);
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
                    screen.click(screen.kaart.quiz().plek());
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

        // A result that cannot be stored is never shown as stored.
        const QByteArray res = QFile::encodeName(screen.folder.file(QStringLiteral("toets.res")));
        QVERIFY(QFile::remove(QString::fromLocal8Bit(res)));
        QCOMPARE(::mkfifo(res.constData(), 0600), 0);
        QTimer::singleShot(0, &screen.kaart, [&] {
            while (screen.kaart.Mode == 2)
                screen.click(screen.kaart.quiz().plek());
            seen = {screen.status()};
            screen.kaart.close();
        });
        screen.kaart.Mode = 2;
        screen.kaart.showModal(screen.keuze);
        QCOMPARE(
            seen,
            QStringList({QStringLiteral("Anna, je bent klaar, maar je uitslag kon niet worden bewaard!")}));
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
        // A right-button click and a press on the map itself are no answers; a wrong one names the clicked
        // item.
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
        QTRY_COMPARE(game.status(),
                     QStringLiteral("Je hebt alle steden onder water laten lopen! Je had er 2 goed!"));
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
        QVERIFY(picture->children().indexOf(first) >
                picture->children().indexOf(screen.widget(QStringLiteral("HotSpot_1"))));
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

QTEST_MAIN(TestFrmKaart)
#include "tst_frmkaart.moc"
