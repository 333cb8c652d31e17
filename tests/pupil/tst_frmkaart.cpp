// The map screen of the pupil program: its layout on school screens, what it
// shows per activity, maps it refuses, and the quiz driven through its widgets.
#include "fakedialogs.h"
#include "frmkaart.h"
#include "mapshape.h"
#include "plaatsen.h"
#include "pupilharness.h"
#include "twips.h"
#include "windowdriver.h"

#include <QDir>
#include <QLabel>
#include <QtTest>

#include <sys/stat.h>

using namespace korvel;

namespace {

// Two cities and a water at level 1; the quiz asks the first one it may.
struct Screen
{
    TestFolder folder;
    velmora::Plaatsen plaatsen;
    frmKaart kaart{plaatsen};
    Keuze keuze{QStringLiteral("Anna"), QStringLiteral("Nederland"), QStringLiteral("NEDERLAND.KRT   "), 2};

    explicit Screen(const QByteArray& items = "1 s 1500 1200 Amsterdam\r\n1 d 3000 6000 Zwolle\r\n"
                                              "1 w 600  4000 IJsselmeer\r\n")
    {
        writeDemoMap(folder, items);
        kaart.setRandomSource([](int) { return 0; });
    }
    bool open(int mode)
    {
        kaart.Mode = mode;
        return kaart.open(keuze);
    }
    QString text(const char* name) const { return drive::child<QLabel>(kaart, name)->text(); }
    QString status() const { return text("lblStatus"); }
    QString counters() const { return text("lblAantGehad") + u'/' + text("lblAantOver"); }
    QWidget* widget(const char* name) const { return kaart.findChild<QWidget*>(QString::fromLatin1(name)); }
    QTimer* timer(const char* name) const { return drive::child<QTimer>(kaart, name); }
    // On whatever lies on top at the centre of item `index`'s marker; twice as Qt
    // delivers a double-click: press, release, the second press as a double-click, release.
    void click(int index, bool twice = false, Qt::MouseButton button = Qt::LeftButton)
    {
        const velmora::Plaats& item = plaatsen[index];
        const QPoint inWindow = widget("Picture1")
                                    ->mapTo(&kaart, QPoint(velmora::Twips::toPixels(item.Left + 127),
                                                           velmora::Twips::toPixels(item.Top + 127)));
        QWidget* hit = kaart.childAt(inWindow);
        const QPoint point = hit->mapFrom(&kaart, inWindow);
        QTest::mouseClick(hit, button, {}, point);
        if (twice) {
            QTest::mouseDClick(hit, button, {}, point);
            QTest::mouseRelease(hit, button, {}, point);
        }
    }
    // Inside the modal loop only observations are taken, so the window always closes.
    void modal(int mode, const std::function<void()>& inside)
    {
        kaart.Mode = mode;
        QTimer::singleShot(0, &kaart, [&] {
            inside();
            kaart.close();
        });
        kaart.showModal(keuze);
    }
};

} // namespace

class TestFrmKaart : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QCoreApplication::setApplicationName(QStringLiteral("Korvel")); }

    void eachActivityShowsItsOwnPieces()
    {
        // Levels in file order; the last two items are left out at level 2.
        Screen s("1 s 1500 1200 Amsterdam\r\n1 d 3000 8900 Zwolle\r\n2 w 600  4000 IJsselmeer\r\n"
                 "2 g 4500 2000 Texel\r\n3 s 5000 5000 Utrecht\r\n3 x 300  300  Onbekend\r\n");
        QVERIFY(s.open(0));
        QCOMPARE(s.kaart.windowTitle(), QStringLiteral("Nederland"));
        const std::pair<const char*, QRect> layout[] = {{"Frame1", QRect(16, 8, 993, 57)},
                                                        {"lblStatus", QRect(8, 16, 977, 41)},
                                                        {"cmdClose", QRect(888, 72, 113, 33)},
                                                        {"Picture1", QRect(16, 72, 600, 400)},
                                                        {"HotSpot_1", QRect(72, 92, 33, 33)}};
        for (const auto& [name, rect] : layout)
            QCOMPARE(s.widget(name)->geometry(), rect);
        QVERIFY(s.widget("Status")->isHidden()); // the counters, while looking
        QCOMPARE(s.kaart.quiz().AantPlaatsen(), 4);
        QVERIFY(s.widget("HotSpot_4") && !s.widget("HotSpot_5"));

        // Names show under the mouse while looking; one hanging over its own hotspot stays while the mouse is
        // on it.
        QVERIFY(drive::show(s.kaart));
        QWidget* label = s.widget("lblPlaats_1");
        QTest::mouseMove(s.widget("HotSpot_1"), QPoint(16, 16));
        QTRY_VERIFY(label->isVisible());
        const QPoint overlap = label->mapTo(&s.kaart, QPoint(label->width() / 2, 2));
        QCOMPARE(s.kaart.childAt(overlap), label);
        QTest::mouseMove(&s.kaart, overlap);
        QVERIFY(label->isVisible());
        QTest::mouseMove(&s.kaart, overlap + QPoint(0, label->height() - 4));
        QTRY_VERIFY(!label->isVisible());
        QVERIFY(s.open(1));
        QTest::mouseMove(s.widget("HotSpot_2"), QPoint(16, 16));
        QCoreApplication::processEvents();
        QVERIFY(!s.widget("lblPlaats_2")->isVisible());

        // The game hides waters and areas and counts the cities only.
        s.keuze.Niveau = 3;
        QVERIFY(s.open(3));
        for (const char* name : {"shpPlaatsSml_3", "HotSpot_3", "shpPlaatsSml_4", "HotSpot_4"})
            QVERIFY2(!s.widget(name)->isVisibleTo(&s.kaart), name);
        for (const char* name :
             {"HotSpot_1", "HotSpot_2", "HotSpot_5", "HotSpot_6", "shpPlaatsSml_6", "Status"})
            QVERIFY2(s.widget(name)->isVisibleTo(&s.kaart), name);
        QCOMPARE(s.text("lblAantOver"), QStringLiteral("3"));
        QVERIFY(s.open(0)); // the same window object shows waters again
        QVERIFY(s.widget("HotSpot_3")->isVisibleTo(&s.kaart));
        writeDemoMap(s.folder, "1 w 600  4000 IJsselmeer\r\n");
        QVERIFY(s.open(3));
        QCOMPARE(s.status(), QStringLiteral("Er zijn geen steden om te besproeien!"));
        QCOMPARE(s.kaart.Mode, -1);
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
        Screen s; // test: the counters stand beside the picture too
        const QString krt = map.toLower() + QStringLiteral(".krt"),
                      bmp = map.toLower() + QStringLiteral(".bmp");
        for (const QString& name : {krt, bmp}) {
            QFile::remove(s.folder.file(name)); // the small map's
            QVERIFY(QFile::copy(QStringLiteral(VELMORA_SOURCE_DIR "/demo/") + name, s.folder.file(name)));
        }
        s.keuze = Keuze{QStringLiteral("Anna"), map, krt, 3};
        QVERIFY(s.open(2));
        // Opened on one screen, then shown on the school's.
        s.kaart.setWindowState(Qt::WindowMaximized);
        QVERIFY(drive::show(s.kaart));
        s.kaart.resize(screen);
        QCOMPARE(s.kaart.size(), screen);

        const QRect shown = s.widget("Picture1")->geometry();
        // The small practice map fits every screen.
        QCOMPARE(shown.size() == QImage(s.folder.file(bmp)).size(),
                 screen == QSize(1920, 1080) || map == u"Oefenkaart");
        for (const char* name : {"Frame1", "cmdClose", "Legenda", "Status"}) {
            QWidget* control = s.widget(name);
            QVERIFY2(s.kaart.rect().contains(control->geometry()) && !control->geometry().intersects(shown),
                     name);
            QWidget* hit = s.kaart.childAt(control->geometry().center());
            QVERIFY2(hit == control || control->isAncestorOf(hit), name);
        }
        for (int j = 1; j <= s.kaart.quiz().AantRecs(); ++j) {
            const velmora::Plaats& item = s.plaatsen[j];
            QWidget* spot = s.widget(qPrintable(QStringLiteral("HotSpot_%1").arg(j)));
            const QRect area = spot->geometry().translated(shown.topLeft());
            QVERIFY2(shown.contains(area), qPrintable(item.Naam));
            QCOMPARE(s.kaart.childAt(area.center()), spot);
            // Names keep their size and stay inside the picture as shown.
            const QRect label = s.widget(qPrintable(QStringLiteral("lblPlaats_%1").arg(j)))->geometry();
            QVERIFY2(QRect(QPoint(0, 0), shown.size()).contains(label), qPrintable(item.Naam));
        }
    }

    // The map reader's own errors are checked with the map file; here one of them and
    // the picture's reach the pupil, and the screen does not open.
    void badMapsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("krt");
        QTest::addColumn<QByteArray>("bmp");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no picture") << QByteArray("weg.bmp\r\n") << QByteArray()
                                    << QStringLiteral("Het bestand \"weg.bmp\" is niet gevonden.");
        QTest::newRow("not a picture") << QByteArray() << QByteArray("BM kapot")
                                       << QStringLiteral("Het bestand \"demo.bmp\" kan niet worden gelezen.");
        // A pupil can plant a FIFO under the picture's name: refused, never waited on.
        QTest::newRow("picture is a FIFO")
            << QByteArray() << QByteArray("fifo") << QStringLiteral("\"demo.bmp\" is geen gewoon bestand");
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
        Screen s;
        const QString picture = s.folder.file(QStringLiteral("demo.bmp"));
        if (bmp == "fifo")
            QVERIFY(QFile::remove(picture) && mkfifo(QFile::encodeName(picture).constData(), 0600) == 0);
        else if (!bmp.isEmpty())
            s.folder.write(QStringLiteral("demo.bmp"), bmp);
        if (!krt.isEmpty())
            s.folder.write(QStringLiteral("nederland.krt"), krt);
        const QStringList before = QDir(s.folder.path()).entryList(QDir::Files);
        FakeDialogs dialogs;
        s.plaatsen[1].Naam = QStringLiteral("Oud");
        s.kaart.showModal(s.keuze); // returns at once: the screen does not open
        QVERIFY(!s.kaart.isVisible());
        QCOMPARE(dialogs.messages.size(), 1);
        const QString message = dialogs.messages[0].text;
        QVERIFY2(message.startsWith(QStringLiteral("De kaart \"Nederland\" kan niet worden geopend.")) &&
                     message.contains(reason),
                 qPrintable(message));
        QCOMPARE(dialogs.messages[0].icon, velmora::MessageIcon::Critical);
        QCOMPARE(s.plaatsen[1].Naam, QStringLiteral("Oud"));
        QCOMPARE(QDir(s.folder.path()).entryList(QDir::Files), before);
    }

    // The screen only forwards clicks, presses and timer ticks to the quiz and shows
    // what it says; these follow that path, clicking whatever a person hits on a marker.
    void testThroughTheScreen()
    {
        // It stays maximised and ignores Escape; "Sluiten" before the last answer writes nothing.
        Screen s;
        QStringList seen;
        s.modal(2, [&] {
            seen << QString::number(QTest::qWaitForWindowExposed(&s.kaart) && s.kaart.isMaximized());
            s.kaart.showMinimized();
            seen << QString::number(
                QTest::qWaitFor([&] { return s.kaart.isMaximized() && !s.kaart.isMinimized(); }));
            s.kaart.showNormal();
            seen << QString::number(QTest::qWaitFor([&] { return s.kaart.isMaximized(); }));
            QTest::keyClick(&s.kaart, Qt::Key_Escape);
            s.click(1);
            seen << s.counters();
            QTest::mouseClick(s.widget("cmdClose"), Qt::LeftButton);
            seen << QString::number(s.kaart.isVisible());
        });
        QCOMPARE(seen, QStringList({QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"),
                                    QStringLiteral("1/2"), QStringLiteral("0")}));
        QVERIFY(!s.folder.exists(QStringLiteral("toets.res")));

        // A map file not in level order: the included items are asked, each once; a double-click is one
        // answer.
        const QByteArray breda = "2 s 1500 1200 Breda\r\n", assen = "1 s 3000 6000 Assen\r\n",
                         cuijk = "3 s 600  4000 Cuijk\r\n";
        for (const QByteArray& items : {breda + assen + cuijk, cuijk + assen + breda}) {
            writeDemoMap(s.folder, items);
            s.folder.write(QStringLiteral("toets.res"), QByteArray());
            seen.clear();
            s.modal(2, [&] {
                for (int answer = 0; answer < 3 && s.kaart.Mode == 2; ++answer) {
                    seen << s.status();
                    s.click(s.kaart.quiz().plek(), true);
                }
            });
            QCOMPARE(seen, QStringList({QStringLiteral("Anna, wijs aan op de kaart: Assen"),
                                        QStringLiteral("Anna, wijs aan op de kaart: Breda")}));
            QCOMPARE(s.folder.read(QStringLiteral("toets.res")),
                     QByteArray("Anna\r\nNederland\r\n 2 \r\n 2 \r\n 2 \r\n"));
        }

        // A result that cannot be stored is never shown as stored.
        const QString res = s.folder.file(QStringLiteral("toets.res"));
        QVERIFY(QFile::remove(res) && ::mkfifo(QFile::encodeName(res).constData(), 0600) == 0);
        s.modal(2, [&] {
            while (s.kaart.Mode == 2)
                s.click(s.kaart.quiz().plek());
            seen = {s.status()};
        });
        QCOMPARE(
            seen,
            QStringList({QStringLiteral("Anna, je bent klaar, maar je uitslag kon niet worden bewaard!")}));
    }

    // Children double-click everything: one press and release is one answer.
    void oneClickOneAnswer()
    {
        // Practice: a double-click is one right answer; a click during the pause is none.
        Screen practice;
        QVERIFY(practice.open(1) && drive::show(practice.kaart));
        QCOMPARE(practice.status(), QStringLiteral("Anna, wijs aan op de kaart: Amsterdam"));
        practice.click(1, true);
        QCOMPARE(practice.status(), QStringLiteral("Goed zo!!"));
        practice.click(2);
        QCOMPARE(practice.status(), QStringLiteral("Goed zo!!"));
        QCOMPARE(practice.counters(), QStringLiteral("1/1"));
        QTRY_COMPARE(practice.status(), QStringLiteral("Anna, wijs aan op de kaart: Zwolle"));
        // A right-button click and a press on the map itself are no answers; a wrong one names the clicked
        // item.
        practice.click(3, false, Qt::RightButton);
        QTest::mousePress(practice.widget("Picture1"), Qt::LeftButton, {}, QPoint(590, 390));
        QCOMPARE(practice.status(), QStringLiteral("Anna, wijs aan op de kaart: Zwolle"));
        QVERIFY(!practice.widget("Plas_1"));
        practice.click(3, true);
        QCOMPARE(practice.status(), QStringLiteral("Fout! Dit is IJsselmeer"));
        QCOMPARE(practice.counters(), QStringLiteral("2/1"));
        QTRY_COMPARE(practice.status(), QStringLiteral("Anna, wijs op de kaart aan: Zwolle"));
    }

    // The game through the screen: a flooded city takes no more water; the game ends
    // when both cities are flooded. Puddles grow over the marker and scale with the map.
    void gamePuddlesGrow()
    {
        Screen s;
        QVERIFY(s.open(3) && drive::show(s.kaart));
        QCOMPARE(s.status(), QStringLiteral("Anna, besproei Amsterdam!"));
        s.click(1, true);
        auto* first = s.kaart.findChild<velmora::MapShape*>(QStringLiteral("Plas_1"));
        QVERIFY(first);
        QCOMPARE(first->fillColor(), QColor(0, 0, 255));
        s.click(2); // ignored while growing
        QVERIFY(!s.widget("Plas_2"));
        QTRY_VERIFY(!s.timer("GroeiPlas")->isActive());
        // Grown around the marker's centre, above the marker and hotspot.
        QCOMPARE(first->geometry(), QRect(71, 91, 35, 35));
        QWidget* picture = s.widget("Picture1");
        QVERIFY(picture->children().indexOf(first) > picture->children().indexOf(s.widget("HotSpot_1")));
        QCOMPARE(s.status(), QStringLiteral("Anna, besproei Zwolle!"));
        s.click(1, true);
        QCOMPARE(s.status(), QStringLiteral("Anna, besproei Zwolle!"));
        QCOMPARE(s.counters(), QStringLiteral("1/2"));

        QTest::mousePress(picture, Qt::RightButton, {}, QPoint(500, 350));
        QCOMPARE(s.status(), QStringLiteral("Je moet wel een stad besproeien!"));
        QTRY_COMPARE(s.status(), QStringLiteral("Anna, besproei Zwolle!"));
        QCOMPARE(s.widget("Plas_2")->geometry(), QRect(483, 333, 35, 35));
        QCOMPARE(s.counters(), QStringLiteral("1/2"));
        s.click(2, true);
        QTRY_COMPARE(s.status(),
                     QStringLiteral("Je hebt alle steden onder water laten lopen! Je had er 2 goed!"));
        QVERIFY(!s.widget("Plas_4"));

        // On a smaller screen the map and its puddles are shown at half size.
        s.kaart.resize(800, 280);
        QCOMPARE(picture->size(), QSize(300, 200));
        QCOMPARE(first->geometry(), QRect(36, 46, 18, 17));
        // Closed while a puddle grows: no timer outlives the screen.
        QVERIFY(s.open(3));
        QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(s.timer("GroeiPlas")->isActive());
        s.kaart.close();
        QVERIFY(!s.timer("GroeiPlas")->isActive());
    }
};

QTEST_MAIN(TestFrmKaart)
#include "tst_frmkaart.moc"
