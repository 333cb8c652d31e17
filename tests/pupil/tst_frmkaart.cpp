// The map screen of the pupil program and its quiz: its layout on school screens,
// what it shows per activity, maps it refuses, and the quiz driven through its widgets.
#include "answerline.h"
#include "fakedialogs.h"
#include "frmkaart.h"
#include "mapdrawing.h"
#include "mapmarker.h"
#include "pupilharness.h"
#include "windowdriver.h"

#include <QAccessible>
#include <QLabel>
#include <QTimer>
#include <QtTest>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace korvel;

namespace {

// Three cities at level 1; the quiz asks the first one it may.
struct Screen
{
    // A box the screen shows unasked fails the test instead of waiting for a click.
    FakeDialogs dialogs;
    TestFolder folder;
    velmora::Plaatsen plaatsen;
    frmKaart kaart{plaatsen};
    Keuze keuze{QStringLiteral("Anna"), QStringLiteral("Nederland"), QStringLiteral("NEDERLAND.KRT   "), 2};

    explicit Screen(const QByteArray& items = "1 s 1500 1200 Amsterdam\r\n1 d 3000 6000 Zwolle\r\n"
                                              "1 s 600  4000 Urk\r\n")
    {
        writeDemoMap(folder, items);
        kaart.setRandomSource([](int) { return 0; });
    }
    bool open(QuizMode mode) { return kaart.open(mode, keuze); }
    QString text(const char* name) const { return drive::child<QLabel>(kaart, name)->text(); }
    QString status() const { return text("lblStatus"); }
    QString counters() const { return text("lblAantGehad") + u'/' + text("lblAantOver"); }
    QWidget* widget(const char* name) const { return kaart.findChild<QWidget*>(QString::fromLatin1(name)); }
    // An item's name label, made hidden when first asked for.
    QWidget* label(int index) const { return kaart.drawing().label(index); }
    velmora::MapMarker* marker(int index) const
    {
        return kaart.findChild<velmora::MapMarker*>(QStringLiteral("shpPlaatsSml_") + QString::number(index));
    }
    // On whatever lies on top at the centre of item `index`'s hotspot; twice as Qt
    // delivers a double-click: press, release, the second press as a double-click, release.
    void click(int index, bool twice = false, Qt::MouseButton button = Qt::LeftButton)
    {
        QWidget* spot = widget(qPrintable(QStringLiteral("HotSpot_%1").arg(index)));
        const QPoint inWindow = spot->mapTo(&kaart, spot->rect().center());
        QWidget* hit = kaart.childAt(inWindow);
        const QPoint point = hit->mapFrom(&kaart, inWindow);
        QTest::mouseClick(hit, button, {}, point);
        if (twice) {
            QTest::mouseDClick(hit, button, {}, point);
            QTest::mouseRelease(hit, button, {}, point);
        }
    }
    // Inside the modal loop only observations are taken, so the window always closes.
    void modal(QuizMode mode, const std::function<void()>& inside)
    {
        QTimer::singleShot(0, &kaart, [&] {
            inside();
            kaart.done(QDialog::Rejected); // never asks, so a test cannot hang on a box
        });
        kaart.showModal(mode, keuze);
    }
};

// What a screen reader is told, as "object: text", and every mouse event, while alive.
struct Listener : QObject
{
    static inline QStringList told;
    int mouseEvents = 0;
    Listener()
    {
        told.clear();
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
            if (event->type() == QAccessible::NameChanged)
                told << event->object()->objectName() + QStringLiteral(": ") +
                            event->accessibleInterface()->text(QAccessible::Name);
        });
        qApp->installEventFilter(this);
    }
    ~Listener() override { QAccessible::installUpdateHandler(nullptr); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        const auto type = event->type();
        mouseEvents += type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                       type == QEvent::MouseButtonDblClick;
        return false;
    }
    // What was told of the named object, in order.
    static QStringList toldOf(const QString& name)
    {
        QStringList texts;
        for (const QString& line : std::as_const(told)) {
            if (line.startsWith(name + QStringLiteral(": ")))
                texts << line.mid(name.size() + 2);
        }
        return texts;
    }
};

} // namespace

class TestFrmKaart : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void eachActivityShowsItsOwnPieces()
    {
        // Levels in file order; the last two items are left out at level 2.
        Screen s("1 s 1500 1200 Amsterdam\r\n1 d 3000 8900 Zwolle\r\n2 w 600  4000 IJsselmeer\r\n"
                 "2 g 4500 2000 Texel\r\n3 s 5000 5000 Utrecht\r\n3 x 300  300  Onbekend\r\n");
        QVERIFY(s.open(QuizMode::Look));
        QCOMPARE(s.kaart.windowTitle(), QStringLiteral("Nederland"));
        QVERIFY(s.widget("Status")->isHidden()); // the counters, while looking
        QVERIFY(s.widget("HotSpot_4") && !s.widget("HotSpot_5"));

        // Names show under the mouse while looking; one hanging over its own hotspot stays while the mouse is
        // on it.
        QVERIFY(drive::show(s.kaart));
        QWidget* label = s.label(1);
        QTest::mouseMove(s.widget("HotSpot_3"), QPoint(16, 16));
        QTRY_VERIFY(s.label(3)->isVisible());
        // Straight from one place to the next: one name at a time.
        QTest::mouseMove(s.widget("HotSpot_1"), QPoint(16, 16));
        QTRY_VERIFY(label->isVisible());
        QVERIFY(!s.label(3)->isVisible());
        const QPoint overlap = label->mapTo(&s.kaart, QPoint(label->width() / 2, 2));
        QCOMPARE(s.kaart.childAt(overlap), label);
        QTest::mouseMove(&s.kaart, overlap);
        QVERIFY(label->isVisible());
        QTest::mouseMove(&s.kaart, overlap + QPoint(0, label->height() - 4));
        QTRY_VERIFY(!label->isVisible());
        QVERIFY(s.open(QuizMode::Practise));
        QTest::mouseMove(s.widget("HotSpot_2"), QPoint(16, 16));
        QCoreApplication::processEvents();
        QVERIFY(!s.label(2)->isVisible());

        // The game hides waters and areas and counts the cities only; looking again shows them.
        s.keuze.Niveau = 3;
        QVERIFY(s.open(QuizMode::Game));
        for (const char* name : {"HotSpot_3", "HotSpot_4"})
            QVERIFY2(!s.widget(name)->isVisibleTo(&s.kaart), name);
        QVERIFY(!s.marker(3)->isVisible() && !s.marker(4)->isVisible() && s.marker(6)->isVisible());
        for (const char* name : {"HotSpot_1", "HotSpot_2", "HotSpot_5", "HotSpot_6", "Status"})
            QVERIFY2(s.widget(name)->isVisibleTo(&s.kaart), name);
        QCOMPARE(s.text("lblAantOver"), QStringLiteral("3"));
        QVERIFY(s.open(QuizMode::Look));
        QVERIFY(s.widget("HotSpot_3")->isVisibleTo(&s.kaart));
    }

    // The demo maps on the screens of schools: every item can be hit and nothing lies over it,
    // and where a map fits at its own size it is shown exactly so.
    void demoMapsFitTheScreen()
    {
        // The picture, the question, "Sluiten", the legend and the counters each in a place of their own.
        const auto apart = [](const Screen& s, const QString& map) {
            const QList<QWidget*> controls = {s.widget("Picture1"), s.widget("Frame1"), s.widget("cmdClose"),
                                              s.widget("Legenda"), s.widget("Status")};
            for (QWidget* control : controls) {
                QWidget* hit = s.kaart.childAt(control->geometry().center());
                bool alone = s.kaart.rect().contains(control->geometry()) &&
                             (hit == control || control->isAncestorOf(hit) || control == controls[0]);
                for (QWidget* other : controls)
                    alone = alone && (other == control || !control->geometry().intersects(other->geometry()));
                QVERIFY2(alone, qPrintable(map + u' ' + control->objectName()));
            }
        };
        // A strip of a map, lower than the counters and the legend together: they go below the question.
        {
            Screen s;
            QImage strip(900, 120, QImage::Format_RGB888);
            strip.fill(Qt::white);
            QVERIFY(strip.save(s.folder.file(QStringLiteral("demo.bmp")), "BMP"));
            QVERIFY(s.open(QuizMode::Test) && drive::show(s.kaart));
            s.kaart.resize(1366, 768);
            apart(s, QStringLiteral("strip"));
        }
        const QString demo = QStringLiteral(VELMORA_SOURCE_DIR "/demo/");
        for (const QString& map :
             {QStringLiteral("Nederland"), QStringLiteral("Europa"), QStringLiteral("Oefenkaart")})
            for (const QSize screen : {QSize(1024, 768), QSize(1366, 768), QSize(1920, 1080)}) {
                const QString krt = map.toLower() + QStringLiteral(".krt"),
                              bmp = map.toLower() + QStringLiteral(".bmp");
                Screen s;
                QVERIFY(QFile::copy(demo + krt, s.folder.file(QStringLiteral("kaart.krt"))) &&
                        QFile::copy(demo + bmp, s.folder.file(bmp)));
                s.keuze = Keuze{QStringLiteral("Anna"), map, QStringLiteral("kaart.krt"), 3};
                QVERIFY(s.open(QuizMode::Test)); // a test: the counters stand beside the picture too
                // Opened on one screen, then shown on the school's.
                s.kaart.setWindowState(Qt::WindowMaximized);
                QVERIFY(drive::show(s.kaart));
                s.kaart.resize(screen);
                QCOMPARE(s.kaart.size(), screen);
                const QRect shown = s.widget("Picture1")->geometry();
                // The small practice map fits every screen.
                QVERIFY2((shown.size() == QImage(demo + bmp).size()) ==
                             (screen == QSize(1920, 1080) || map == u"Oefenkaart"),
                         qPrintable(map));
                apart(s, map);
                // The question and "Sluiten" fit their boxes.
                for (const char* name : {"lblStatus", "cmdClose"}) {
                    QWidget* box = s.widget(name);
                    const QFontMetrics metrics(box->font());
                    QVERIFY2(metrics.horizontalAdvance(box->property("text").toString()) < box->width() &&
                                 metrics.height() <= box->height(),
                             name);
                }
                for (int j = 1; j <= s.kaart.quiz().AantRecs(); ++j) {
                    QWidget* spot = s.widget(qPrintable(QStringLiteral("HotSpot_%1").arg(j)));
                    const QRect area = spot->geometry().translated(shown.topLeft());
                    // Names keep their size and stay inside the picture as shown.
                    const QRect label = s.label(j)->geometry();
                    QVERIFY2(shown.contains(area) && s.kaart.childAt(area.center()) == spot &&
                                 QRect(QPoint(0, 0), shown.size()).contains(label),
                             qPrintable(map + u' ' + s.plaatsen[j].Naam));
                }
            }
    }

    // The map reader's own errors are checked with the map file; here one of them and
    // the picture's reach the pupil, and the screen does not open.
    void badMapsAreRefused()
    {
        for (const auto& [krt, fifo, reason] :
             {std::tuple("weg.bmp\r\n", false, "Het bestand \"weg.bmp\" is niet gevonden."),
#ifdef Q_OS_UNIX
              // A pupil can plant a FIFO under the picture's name: refused, never waited on.
              std::tuple("", true, "\"demo.bmp\" is geen gewoon bestand"),
#endif
              std::tuple("demo.bmp\r\n1 s 100  100  A\r\nx s 100  100  B\r\n", false,
                         "Regel 3 van het bestand \"NEDERLAND.KRT\" is onleesbaar")}) {
            Screen s;
            const QString picture = s.folder.file(QStringLiteral("demo.bmp"));
#ifdef Q_OS_UNIX
            if (fifo)
                QVERIFY(QFile::remove(picture) &&
                        ::mkfifo(QFile::encodeName(picture).constData(), 0600) == 0);
#endif
            if (*krt)
                s.folder.write(QStringLiteral("nederland.krt"), krt);
            s.plaatsen[1].Naam = QStringLiteral("Oud");
            s.kaart.showModal(QuizMode::Look, s.keuze); // returns at once: the screen does not open
            QVERIFY(!s.kaart.isVisible());
            QCOMPARE(s.dialogs.messages.size(), 1);
            QVERIFY2(s.dialogs.messages[0].text.startsWith(
                         QStringLiteral("De kaart \"Nederland\" kan niet worden geopend.\n\n") +
                         QString::fromLatin1(reason)),
                     qPrintable(s.dialogs.messages[0].text));
            QCOMPARE(s.dialogs.messages[0].icon, velmora::MessageIcon::Critical);
            QCOMPARE(s.plaatsen[1].Naam, QStringLiteral("Oud"));
        }
    }

    // The screen only forwards clicks, presses and timer ticks to the quiz and shows
    // what it says; these follow that path, clicking whatever a person hits on a marker.
    void testThroughTheScreen()
    {
        // It stays maximised and ignores Escape; "Sluiten" before the last answer writes nothing.
        Screen s;
        QStringList seen;
        s.modal(QuizMode::Test, [&] {
            seen << QString::number(QTest::qWaitForWindowExposed(&s.kaart) && s.kaart.isMaximized());
            s.kaart.showMinimized();
            seen << QString::number(
                QTest::qWaitFor([&] { return s.kaart.isMaximized() && !s.kaart.isMinimized(); }));
            QTest::keyClick(&s.kaart, Qt::Key_Escape);
            s.click(1);
            seen << s.counters();
            // Closing an unfinished test asks first: Enter at the question keeps it, Ja ends it.
            s.dialogs.messageAnswers << FakeDialogs::Key::Enter << velmora::MessageAnswer::Yes;
            s.kaart.close();
            seen << QString::number(s.kaart.isVisible());
            s.kaart.close();
            seen << QString::number(s.kaart.isVisible()) << QString::number(s.dialogs.messages.size());
        });
        QCOMPARE(seen, QStringList({QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1/2"),
                                    QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("2")}));
        QVERIFY(!s.folder.exists(QStringLiteral("toets.res")));

        // A map file not in level order: the included items are asked, each once; a double-click is one
        // answer. Assen is missed.
        writeDemoMap(s.folder, "3 s 600  4000 Cuijk\r\n1 s 3000 6000 Assen\r\n2 s 1500 1200 Breda\r\n");
        seen.clear();
        s.modal(QuizMode::Test, [&] {
            // Nothing of the map shown before is left.
            seen << QString::number(s.widget("HotSpot_3") == nullptr);
            for (int answer = 0; answer < 3 && s.kaart.Mode() == 2; ++answer) {
                seen << s.status();
                const int asked = s.kaart.quiz().plek();
                s.click(answer == 0 ? 3 - asked : asked, true);
            }
            // A finished test closes without a question.
            QTest::mouseClick(s.widget("cmdClose"), Qt::LeftButton);
            seen << QString::number(s.kaart.isVisible());
        });
        QCOMPARE(seen,
                 QStringList({QStringLiteral("1"), QStringLiteral("Anna, wijs aan op de kaart: Assen"),
                              QStringLiteral("Anna, wijs aan op de kaart: Breda"), QStringLiteral("0")}));
        QCOMPARE(s.dialogs.messages.size(), 2);
        QCOMPARE(s.folder.read(QStringLiteral("toets.res")),
                 QByteArray("Anna\r\nNederland\r\n 2 \r\n 2 \r\n 1 \r\n"));
        // Every answer, the one of the test left unfinished too, each once, after the heading row.
        const QList<QByteArray> lines = s.folder.read(QStringLiteral("antwoorden.csv")).split('\n');
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0],
                 QByteArray("Datum;Tijd;Leerling;Kaart;Niveau;Soort;Gevraagd;Geklikt;Uitslag;Begonnen\r"));
        QStringList answers;
        for (const QByteArray& line : lines.mid(2, 2)) {
            const auto a = velmora::AnswerLine::decode(line);
            QVERIFY(a && a->begonnen <= a->when && a->when.secsTo(QDateTime::currentDateTime()) < 60);
            answers << QStringList{a->leerling,           a->kaart,   QString::number(a->niveau),
                                   a->gevraagd,           a->geklikt, QString::number(a->goed),
                                   a->begonnen.toString()}
                           .join(u' ');
        }
        QCOMPARE(answers.value(0).left(30), QStringLiteral("Anna Nederland 2 Assen Breda 0"));
        QCOMPARE(answers.value(1).left(30), QStringLiteral("Anna Nederland 2 Breda Breda 1"));
        QCOMPARE(answers.value(0).mid(31), answers.value(1).mid(31)); // one test: one start
        QVERIFY(lines[2].contains(";toets;"));

#ifdef Q_OS_UNIX
        // A result that cannot be stored is never shown as stored; the pupil may try again,
        // and a try that works stores it once.
        const QString res = s.folder.file(QStringLiteral("toets.res"));
        QVERIFY(QFile::remove(res) && ::mkfifo(QFile::encodeName(res).constData(), 0600) == 0);
        s.dialogs.messages.clear();
        s.dialogs.messageAnswers << velmora::MessageAnswer::Yes << velmora::MessageAnswer::No;
        s.modal(QuizMode::Test, [&] {
            while (s.kaart.Mode() == 2)
                s.click(s.kaart.quiz().plek());
            seen = {s.status()};
        });
        QCOMPARE(
            seen,
            QStringList({QStringLiteral("Anna, je bent klaar, maar je uitslag kon niet worden bewaard!")}));
        QCOMPARE(s.dialogs.messages.size(), 2);
        QVERIFY(s.dialogs.messages[0].text.contains(QStringLiteral("is geen gewoon bestand")));
        s.dialogs.whileShown = [&] { QFile::remove(res); };
        s.dialogs.messageAnswers << velmora::MessageAnswer::Yes;
        s.modal(QuizMode::Test, [&] {
            while (s.kaart.Mode() == 2)
                s.click(s.kaart.quiz().plek());
            seen = {s.status()};
        });
        QVERIFY(!seen[0].contains(QStringLiteral("niet worden bewaard")));
        QCOMPARE(s.folder.read(QStringLiteral("toets.res")),
                 QByteArray("Anna\r\nNederland\r\n 2 \r\n 2 \r\n 2 \r\n"));
#endif
    }

    // A place missed twice is pointed out until clicked, comes back once after three other
    // questions, and is named when practice closes.
    void practiceTeachesOnError()
    {
        Screen s("1 s 1500 1200 Amsterdam\r\n1 s 3000 6000 Assen\r\n1 s 4500 2000 Breda\r\n"
                 "1 s 600  4000 Urk\r\n1 d 5000 5000 Zwolle\r\n");
        // The first question draws the last place, every other draw the first.
        int draws = 0;
        s.kaart.setRandomSource([&](int bound) { return draws++ == 0 ? bound - 1 : 0; });
        for (const char* timer : {"Timer1", "Timer2"})
            drive::child<QTimer>(s.kaart, timer)->setInterval(10);
        QVERIFY(s.open(QuizMode::Practise) && drive::show(s.kaart));
        const auto ask = [&](const char* place) {
            return QStringLiteral("Anna, wijs aan op de kaart: ") + QLatin1StringView(place);
        };
        QCOMPARE(s.status(), ask("Zwolle"));
        auto* ring = s.widget("Ring");
        s.click(4);
        QTRY_COMPARE(s.status(), QStringLiteral("Anna, wijs op de kaart aan: Zwolle"));
        QVERIFY(!ring->isVisible());
        s.click(1);
        QCOMPARE(s.status(), QStringLiteral("Fout! Dit is Amsterdam"));
        // Ringed round its marker and named; a click on the ring is a click on the place.
        QVERIFY(ring->isVisible());
        QVERIFY(ring->geometry().contains(s.marker(5)->geometry()));
        QCOMPARE(s.kaart.childAt(ring->mapTo(&s.kaart, QPoint(ring->width() / 2, 2))), s.widget("HotSpot_5"));
        QVERIFY(s.label(5)->isVisible());
        QTRY_COMPARE(s.status(), QStringLiteral("Anna, wijs op de kaart aan: Zwolle"));
        QVERIFY(ring->isVisible());
        // Found because it was shown: no point for it.
        s.click(5);
        QCOMPARE(s.status(), QStringLiteral("Goed zo!!"));
        QCOMPARE(s.counters(), QStringLiteral("3/0"));
        QStringList asked;
        for (int question = 2; question <= 6; ++question) {
            QTRY_VERIFY(s.status().startsWith(ask("")));
            asked << s.status().mid(ask("").size());
            QVERIFY(!ring->isVisible() && !s.label(5)->isVisible());
            // Assen is missed once, on its first time.
            if (asked.last() == QStringLiteral("Assen") && asked.count(asked.last()) == 1) {
                s.click(1);
                QTRY_VERIFY(s.status().startsWith(QStringLiteral("Anna, wijs op de kaart aan:")));
            }
            s.click(s.kaart.quiz().plek());
        }
        QCOMPARE(asked.join(u' '), QStringLiteral("Amsterdam Assen Amsterdam Zwolle Amsterdam"));
        QCOMPARE(s.counters(), QStringLiteral("9/5"));
        s.kaart.close();
        QCOMPARE(s.dialogs.messageTexts(),
                 QStringList{QStringLiteral("Deze plaatsen vond je lastig:\n\nZwolle\nAssen")});
    }

    // Children double-click everything: in practice a double-click is one answer, and a click
    // during the pause after it none.
    void practiceOneClickOneAnswer()
    {
        Screen s;
        QVERIFY(s.open(QuizMode::Practise) && drive::show(s.kaart));
        QCOMPARE(s.status(), QStringLiteral("Anna, wijs aan op de kaart: Amsterdam"));
        s.click(1, true);
        s.click(2);
        QCOMPARE(s.status(), QStringLiteral("Goed zo!!"));
        QCOMPARE(s.counters(), QStringLiteral("1/1"));
        QTRY_COMPARE(s.status(), QStringLiteral("Anna, wijs aan op de kaart: Zwolle"));
        // A right-button click and a press on the map itself are no answers.
        s.click(3, false, Qt::RightButton);
        QTest::mousePress(s.widget("Picture1"), Qt::LeftButton, {}, QPoint(590, 390));
        QCOMPARE(s.status(), QStringLiteral("Anna, wijs aan op de kaart: Zwolle"));
        QCOMPARE(s.counters(), QStringLiteral("1/1"));
        QVERIFY(!s.widget("Plas_1"));
    }

    // A pupil without a mouse: the keys go to the map, a frame shows where they are, Enter and Space
    // answer as a click does, and a screen reader hears the questions but no name that answers one.
    void keyboardOnly()
    {
        Listener listener;
        Screen s; // in reading order Urk 3, Amsterdam 1, Zwolle 2
        for (const char* timer : {"Timer1", "Timer2", "GroeiPlas"})
            drive::child<QTimer>(s.kaart, timer)->setInterval(1);
        QWidget* frame = s.widget("FocusFrame");
        // A key typed, or one held down so that it repeats.
        const auto key = [](int key, bool held = false) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus);
            const auto modifiers = key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier;
            if (!held)
                return QTest::keyClick(focus, Qt::Key(key), modifiers);
            QKeyEvent repeat(QEvent::KeyPress, key, modifiers, QString(), true);
            QApplication::sendEvent(focus, &repeat);
        };
        const auto framed = [&] {
            for (int i = 1; i <= 3; ++i) {
                if (frame->isVisible() && frame->geometry().contains(s.marker(i)->geometry()))
                    return i;
            }
            return 0;
        };
        const auto answer = [&](int index, int with) {
            for (int tab = 0; tab < 8 && framed() != index; ++tab)
                key(Qt::Key_Tab);
            QCOMPARE(framed(), index);
            key(with);
        };

        // Looking: arrows go to the nearest place that way and the framed place is named.
        QVERIFY(s.open(QuizMode::Look) && drive::show(s.kaart));
        QCOMPARE(QApplication::focusWidget(), s.widget("Picture1"));
        QVERIFY(!frame->isVisible());
        QList<int> path;
        for (int k : {Qt::Key_Tab, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Right}) {
            key(k);
            path << framed();
        }
        QCOMPARE(path, QList<int>({3, 2, 1, 3, 2, 2}));
        QVERIFY(s.label(2)->isVisible() && !s.label(3)->isVisible());
        QStringList spoken = listener.toldOf(QStringLiteral("Picture1"));
        spoken.removeAll(QStringLiteral("Kaart"));
        QCOMPARE(spoken.join(u' '), QStringLiteral("Urk Zwolle Amsterdam Urk Zwolle Zwolle"));
        // Tab after the last place leaves the map; Shift+Tab comes back on the last.
        key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), s.widget("cmdClose"));
        key(Qt::Key_Backtab);
        QCOMPARE(framed(), 2);

        // Practice: right, wrong, right.
        Listener::told.clear();
        QVERIFY(s.open(QuizMode::Practise));
        answer(1, Qt::Key_Return);
        QCOMPARE(s.status(), QStringLiteral("Goed zo!!"));
        QTRY_COMPARE(s.status(), QStringLiteral("Anna, wijs aan op de kaart: Zwolle"));
        answer(3, Qt::Key_Space);
        QCOMPARE(s.status(), QStringLiteral("Fout! Dit is Urk"));
        QTRY_COMPARE(s.status(), QStringLiteral("Anna, wijs op de kaart aan: Zwolle"));
        answer(2, Qt::Key_Enter);
        QCOMPARE(s.status(), QStringLiteral("Goed zo!!"));
        QCOMPARE(s.counters(), QStringLiteral("3/2"));
        // Each question and each feedback is told as it shows, and the counters with their captions.
        QCOMPARE(
            listener.toldOf(QStringLiteral("lblStatus")),
            QStringList({QStringLiteral("Anna, wijs aan op de kaart: Amsterdam"), QStringLiteral("Goed zo!!"),
                         QStringLiteral("Anna, wijs aan op de kaart: Zwolle"),
                         QStringLiteral("Fout! Dit is Urk"),
                         QStringLiteral("Anna, wijs op de kaart aan: Zwolle"), QStringLiteral("Goed zo!!")}));
        QCOMPARE(listener.toldOf(QStringLiteral("lblAantOver")).last(), QStringLiteral("Aantal goed: 2"));

        // A test: Space on "Sluiten" asks and Nee goes on; a held key is one answer.
        QStringList seen;
        s.modal(QuizMode::Test, [&] {
            for (int tab = 0; tab < 4 && QApplication::focusWidget() != s.widget("cmdClose"); ++tab)
                key(Qt::Key_Tab);
            s.dialogs.messageAnswers << velmora::MessageAnswer::No;
            key(Qt::Key_Space);
            seen << QString::number(s.kaart.isVisible()) << s.dialogs.messageTexts();
            key(Qt::Key_Backtab);
            for (int question = 0; question < 3; ++question) {
                seen << s.status();
                answer(s.kaart.quiz().plek(), Qt::Key_Space);
                key(Qt::Key_Space, true);
            }
            seen << s.status();
        });
        QCOMPARE(seen, QStringList({QStringLiteral("1"),
                                    QStringLiteral("Wil je stoppen? Je toets wordt dan niet bewaard."),
                                    QStringLiteral("Anna, wijs aan op de kaart: Amsterdam"),
                                    QStringLiteral("Anna, wijs aan op de kaart: Zwolle"),
                                    QStringLiteral("Anna, wijs aan op de kaart: Urk"),
                                    QStringLiteral("Anna, je bent klaar met de toets!")}));
        QCOMPARE(s.folder.read(QStringLiteral("toets.res")),
                 QByteArray("Anna\r\nNederland\r\n 2 \r\n 3 \r\n 3 \r\n"));

        // The game to its end.
        QVERIFY(s.open(QuizMode::Game) && drive::show(s.kaart));
        for (int city = 0; city < 3; ++city) {
            answer(s.kaart.quiz().plek(), Qt::Key_Space);
            QTRY_VERIFY(!drive::child<QTimer>(s.kaart, "GroeiPlas")->isActive());
        }
        QCOMPARE(s.status(),
                 QStringLiteral("Je hebt alle steden onder water laten lopen! Je had er 3 goed!"));
        // Each change is told once, not again on every tick of a growing puddle.
        const QStringList counted = listener.toldOf(QStringLiteral("lblAantGehad"));
        for (qsizetype i = 1; i < counted.size(); ++i)
            QVERIFY2(counted[i] != counted[i - 1], qPrintable(counted[i]));

        // Outside looking, a place is only its number: its name would be the answer.
        QVERIFY(!listener.toldOf(QStringLiteral("Picture1")).isEmpty());
        for (const QString& told : listener.toldOf(QStringLiteral("Picture1")))
            QVERIFY2(
                QRegularExpression(QStringLiteral("^(Kaart|Plaats [1-3] van 3)$")).match(told).hasMatch(),
                qPrintable(told));
        QCOMPARE(listener.mouseEvents, 0);
    }

    // The game through the screen: a flooded city takes no more water, says so and is not asked again;
    // the game ends when all cities are flooded. Puddles grow over the marker and scale with the map.
    void gamePuddlesGrow()
    {
        Screen s;
        QVERIFY(s.open(QuizMode::Game) && drive::show(s.kaart));
        QCOMPARE(s.status(), QStringLiteral("Anna, besproei Amsterdam!"));
        s.click(1, true);
        QWidget* first = s.widget("Plas_1");
        QVERIFY(first);
        s.click(2); // ignored while growing
        QVERIFY(!s.widget("Plas_2"));
        auto* groei = drive::child<QTimer>(s.kaart, "GroeiPlas");
        QTRY_VERIFY(!groei->isActive());
        // Grown around the marker's centre, above the marker and hotspot.
        QCOMPARE(first->geometry(), QRect(71, 91, 35, 35));
        QWidget* picture = s.widget("Picture1");
        QVERIFY(picture->children().indexOf(first) > picture->children().indexOf(s.widget("HotSpot_1")));
        QCOMPARE(s.status(), QStringLiteral("Anna, besproei Zwolle!"));
        s.click(1, true);
        QCOMPARE(s.status(), QStringLiteral("Amsterdam staat al onder water! Anna, besproei Zwolle!"));
        QTest::mousePress(picture, Qt::RightButton, {}, QPoint(500, 350));
        QCOMPARE(s.status(), QStringLiteral("Je moet wel een stad besproeien!"));
        QTRY_COMPARE(s.status(), QStringLiteral("Anna, besproei Zwolle!"));
        QCOMPARE(s.widget("Plas_2")->geometry(), QRect(483, 333, 35, 35));
        QCOMPARE(s.counters(), QStringLiteral("1/3"));
        s.click(3, true);
        QCOMPARE(s.status(), QStringLiteral("Aahrg! Je hebt Urk laten onderlopen!"));
        QTRY_COMPARE(s.status(), QStringLiteral("Anna, besproei Zwolle!"));
        s.click(2, true);
        QTRY_COMPARE(s.status(),
                     QStringLiteral("Je hebt alle steden onder water laten lopen! Je had er 2 goed!"));

        // On a smaller screen the map and its puddles are shown at half size.
        s.kaart.resize(800, 280);
        QCOMPARE(picture->size(), QSize(300, 200));
        QCOMPARE(first->geometry(), QRect(36, 46, 18, 17));
        // Closed while a puddle grows: no timer outlives the screen.
        QVERIFY(s.open(QuizMode::Game));
        QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(groei->isActive());
        s.kaart.close();
        QVERIFY(!groei->isActive());
    }
};

QTEST_MAIN(TestFrmKaart)
#include "tst_frmkaart.moc"
