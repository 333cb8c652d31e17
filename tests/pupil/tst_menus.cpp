// Start-up of the pupil program and its menus: the splash, spare registers, the
// "Fout" end, and how the windows hand over to one another.
#include "fakedialogs.h"
#include "frmkaart.h"
#include "frmkeuzemenu.h"
#include "frmkeuzemenu2.h"
#include "frmlogin.h"
#include "korvelapp.h"
#include "pupilharness.h"
#include "registerfiles.h"
#include "windowdriver.h"

#include <QAbstractButton>
#include <QDir>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QToolTip>
#include <QtTest>

using namespace korvel;
using namespace registerfiles;

namespace {

// A program folder with Anna, Bram and two maps, and the program on it (not yet started).
struct Session
{
    TestFolder folder;
    FakeDialogs dialogs;
    Harness harness;
    KorvelApp app;

    explicit Session(const QByteArray& leerling = pupils({"Anna", "Bram"}),
                     const QByteArray& kaarten = maps({{"Europa", "europa.krt "}, {"Nederland", "nl.krt"}}))
    {
        if (!leerling.isEmpty())
            folder.write(QStringLiteral("leerling.sdb"), leerling);
        folder.write(QStringLiteral("kaarten.sdb"), kaarten);
    }
    static QListWidget* list(const QWidget* w, const char* name)
    {
        return drive::child<QListWidget>(*w, name);
    }
    void logIn(int row)
    {
        drive::selectRow(list(&app.login(), "Leerlingen"), row);
        drive::click(app.login(), "cmdOK");
    }
    QString choice() const { return drive::child<QLabel>(*app.keuzeMenu2(), "lblKeuze")->text(); }
    static QList<QWidget*> visible()
    {
        QList<QWidget*> windows = QApplication::topLevelWidgets();
        windows.removeIf([](QWidget* window) { return !window->isVisible(); });
        return windows;
    }
};

} // namespace

class TestMenus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A key or a click closes the splash, but not a click on the version line.
    void splashCloses()
    {
        for (const QByteArray how : {"key", "imgLogo", "lblVersion"}) {
            frmSplash splash;
            auto* timer = drive::child<QTimer>(splash, "Timer1");
            QVERIFY(timer->isActive()); // it closes itself too, as every start-up below shows
            timer->stop();
            QVERIFY(drive::show(splash));
            // The compiled-in pictures are there.
            QVERIFY(!drive::child<QLabel>(splash, "imgLogo")->pixmap().isNull());
            if (how == "key")
                QTest::keyClick(&splash, Qt::Key_A);
            else
                drive::click(splash, how.constData());
            QTRY_COMPARE(splash.isVisible(), how == "lblVersion");
        }
    }

    // The splash comes first, then the spare registers move into place, then the list fills.
    void startUpAndLogin()
    {
        const QByteArray pupilBytes = pupils({"Anna", "Zo\xeb", QByteArray(60, 'x')});
        Session s(pupilBytes);
        for (const QString& name : {QStringLiteral("leerling.sd"), QStringLiteral("kaarten.sd")})
            QVERIFY(QFile::rename(s.folder.file(name + u'b'), s.folder.file(name + u'_')));
        QStringList duringSplash;
        frmSplash::setShownHook([&](frmSplash& splash) {
            splash.findChild<QTimer*>(QStringLiteral("Timer1"))->start(0);
            duringSplash << QString::number(s.app.login().isVisible())
                         << QString::number(s.folder.exists(QStringLiteral("leerling.sd_")));
        });
        QVERIFY(s.app.start());
        QCOMPARE(duringSplash, QStringList({QStringLiteral("0"), QStringLiteral("1")}));
        QCOMPARE(s.folder.read(QStringLiteral("leerling.sdb")), pupilBytes);
        QVERIFY(QDir(s.folder.path()).entryList({QStringLiteral("*.sd_")}).isEmpty());

        frmLogin* login = &s.app.login();
        QVERIFY(QTest::qWaitForWindowExposed(login));
        QListWidget* leerlingen = s.list(login, "Leerlingen");
        QCOMPARE(leerlingen->item(1)->text(), QStringLiteral("Zo\u00eb"));
        QVERIFY(!drive::child(*login, "cmdOK")->isEnabled());
        // Enter or a double-click on empty space with nothing selected does nothing.
        QTest::keyClick(login, Qt::Key_Return);
        drive::doubleClick(leerlingen->viewport(), QPoint(10, leerlingen->viewport()->height() - 5));
        QVERIFY(login->isVisible() && login->Gebruiker().isEmpty());
        // The first Down picks the first name; a click beside the names keeps it.
        leerlingen->setFocus();
        QTest::keyClick(leerlingen, Qt::Key_Down);
        QCOMPARE(leerlingen->selectedItems().value(0), leerlingen->item(0));
        QTest::mouseClick(leerlingen->viewport(), Qt::LeftButton, {},
                          QPoint(10, leerlingen->viewport()->height() - 5));
        QCOMPARE(leerlingen->selectedItems().value(0), leerlingen->item(0));
        QVERIFY(drive::child(*login, "cmdOK")->isEnabled());
        // Back in the list after Tab and Shift+Tab, Down goes on from the pick.
        QTest::keyClick(leerlingen, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(leerlingen, Qt::Key_Down);
        QCOMPARE(leerlingen->selectedItems().value(0), leerlingen->item(1));
        // The 50-character name is cut off to the list's width, whole in its tooltip.
        QVERIFY(!leerlingen->horizontalScrollBar()->isVisible());
        QVERIFY(leerlingen->visualItemRect(leerlingen->item(2)).width() <= leerlingen->viewport()->width());
        const auto tip = [&](int row) {
            const QRect rect = leerlingen->visualItemRect(leerlingen->item(row));
            QHelpEvent help(QEvent::ToolTip, rect.center(),
                            leerlingen->viewport()->mapToGlobal(rect.center()));
            QApplication::sendEvent(leerlingen->viewport(), &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(tip(0), QString());
        QCOMPARE(tip(2), QString(50, u'x'));
        // Enter presses OK; the 60-character name becomes Gebruiker as listed.
        drive::selectRow(leerlingen, 2);
        QTest::keyClick(login, Qt::Key_Return);
        QCOMPARE(login->Gebruiker(), QString(50, u'x'));
        QCOMPARE(s.visible(), QList<QWidget*>({s.app.keuzeMenu()}));
        QCOMPARE(s.list(s.app.keuzeMenu(), "Kaarten")->count(), 2);
    }

    void wholeWindowFlow()
    {
        Session s;
        writeDemoMap(s.folder, "1 s 300  300  Parijs\r\n", "europa.krt");
        QVERIFY(s.app.start());
        // "Afsluiten" and Esc in the login end the program at once, closing nothing.
        drive::click(s.app.login(), "cmdCancel");
        QTest::keyClick(&s.app.login(), Qt::Key_Escape);
        QCOMPARE(s.harness.exits, 2);
        drive::doubleClickRow(s.list(&s.app.login(), "Leerlingen"), 0); // a double-click on a name is OK
        frmKeuzeMenu* menu = s.app.keuzeMenu();
        QTest::keyClick(menu, Qt::Key_Escape); // Esc is no way out of a menu
        drive::click(*menu, "cmdEnd");
        QCOMPARE(s.harness.exits, 3);
        QCOMPARE(s.visible(), QList<QWidget*>({menu}));
        QListWidget* kaarten = s.list(menu, "Kaarten");
        QVERIFY(!drive::child(*menu, "cmdStart")->isEnabled());
        QVERIFY(drive::child<QAbstractButton>(*menu, "opNiveau_0")->isChecked());

        // Map and level 2: the activity menu shows them, the map menu hides. Enter on the
        // chosen level starts, as it does anywhere but on a push button.
        drive::selectRow(kaarten, 0);
        drive::click(*menu, "opNiveau_1");
        QTest::keyClick(drive::child(*menu, "opNiveau_1"), Qt::Key_Return);
        frmKeuzeMenu2* activities = s.app.keuzeMenu2();
        drive::click(*activities, "cmdEnd");
        QCOMPARE(s.harness.exits, 4);
        // Each activity button opens the map screen for it; its "Sluiten" leads back.
        const char* names[] = {"cmdShowKaart", "cmdOefen", "cmdToets", "cmdSpelletje"};
        for (int mode = 0; mode < 4; ++mode) {
            // Close the map screen by its button once its modal loop runs, noting what it
            // showed; the loop is ended all the same, so a failure cannot hang the test.
            QStringList shown;
            // An unfinished test asks first; Ja stops it.
            if (mode == 2)
                s.dialogs.messageAnswers << velmora::MessageAnswer::Yes;
            QTimer::singleShot(0, qApp, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                if (!modal || !QTest::qWaitForWindowExposed(modal))
                    return;
                modal->resize(1366, 768); // a school laptop's screen, not the test platform's 800 x 800
                drive::click(*modal, "cmdClose");
                shown << modal->objectName() << modal->windowTitle() << QString::number(s.app.kaart().Mode())
                      << QString::number(modal->isVisible());
                // Never asks again: a box nobody answers would hang here.
                if (modal->isVisible())
                    static_cast<QDialog*>(modal)->done(QDialog::Rejected);
            });
            // The first one by keyboard: Enter on the focused button.
            QWidget* button = drive::child(*activities, names[mode]);
            if (mode == 0) {
                button->setFocus();
                QTest::keyClick(button, Qt::Key_Enter);
            } else {
                drive::click(button);
            }
            QCOMPARE(shown, QStringList({QStringLiteral("frmKaart"), QStringLiteral("Europa"),
                                         QString::number(mode), QStringLiteral("0")}));
            QCOMPARE(s.visible(), QList<QWidget*>({activities}));
        }
        QCOMPARE(s.choice(), QStringLiteral("Gebruiker: Anna. Kaart: Europa. Niveau: 2."));

        // "Kaart of niveau veranderen": the map menu as it was left; Enter starts the same choice.
        drive::click(*s.app.keuzeMenu2(), "cmdAndereKaart");
        QCOMPARE(s.visible(), QList<QWidget*>({menu}));
        QTest::keyClick(menu, Qt::Key_Return);
        QCOMPARE(s.choice(), QStringLiteral("Gebruiker: Anna. Kaart: Europa. Niveau: 2."));
        // The activity menu's close box also leads back.
        s.app.keuzeMenu2()->close();
        QCOMPARE(s.visible(), QList<QWidget*>({menu}));

        // Another map by double-click, level 3.
        drive::click(*menu, "opNiveau_2");
        drive::doubleClickRow(kaarten, 1);
        QCOMPARE(s.choice(), QStringLiteral("Gebruiker: Anna. Kaart: Nederland. Niveau: 3."));

        // "Gebruiker veranderen": both menus go, the login comes back with its selection.
        drive::click(*s.app.keuzeMenu2(), "cmdAndereUser");
        QCOMPARE(s.visible(), QList<QWidget*>({&s.app.login()}));
        QTRY_VERIFY(!s.app.keuzeMenu() && !s.app.keuzeMenu2());
        QVERIFY(s.list(&s.app.login(), "Leerlingen")->item(0)->isSelected());

        // The next login reads the map list again and starts from scratch, at level 1.
        s.folder.write(QStringLiteral("kaarten.sdb"), maps({{"Wereld", "wereld.krt"}}));
        s.logIn(1);
        QVERIFY(s.list(s.app.keuzeMenu(), "Kaarten")->selectedItems().isEmpty());
        drive::selectRow(s.list(s.app.keuzeMenu(), "Kaarten"), 0);
        drive::click(*s.app.keuzeMenu(), "cmdStart");
        QCOMPARE(s.choice(), QStringLiteral("Gebruiker: Bram. Kaart: Wereld. Niveau: 1."));
        // Back to the login by the map menu's "Andere gebruiker" or close box; there the close
        // box ends the program.
        // Enter on a focused button presses it, not the default "Start".
        s.app.keuzeMenu2()->close();
        auto* cancel = drive::child(*s.app.keuzeMenu(), "cmdCancel");
        cancel->setFocus();
        QTest::keyClick(cancel, Qt::Key_Return);
        QCOMPARE(s.visible(), QList<QWidget*>({&s.app.login()}));
        s.logIn(1);
        s.app.keuzeMenu()->close();
        QCOMPARE(s.visible(), QList<QWidget*>({&s.app.login()}));
        s.app.login().close();
        QCOMPARE(s.harness.exits, 5);
        // The only box: leaving the unfinished test.
        QCOMPARE(s.dialogs.messageTexts(),
                 QStringList{QStringLiteral("Wil je stoppen? Je toets wordt dan niet bewaard.")});
    }

    // An unusable pupil register ends the program at start, an unusable map register at
    // login; an empty map register lets the pupil leave.
    void unusableRegistersEndTheProgram()
    {
        const QString fout = QStringLiteral("Er is een fout opgetreden bij het openen van de database. Zorg "
                                            "ervoor dat er gebruikers zijn aangemaakt in de administratie!");
        for (const auto& [leerling, kaarten, texts] :
             {std::tuple(QByteArray(), MapHeader,
                         QStringList({QStringLiteral("Database bestaat niet"), fout})),
              std::tuple(pupils({"Anna"}), PupilHeader,
                         QStringList({QStringLiteral("Er is een fout opgetreden in de kaartendatabase. "
                                                     "Installeer het programma opnieuw.")}))}) {
            Session s(leerling, kaarten);
            if (s.app.start())
                s.logIn(0);
            QCOMPARE(s.dialogs.messageTexts(), texts);
            QCOMPARE(s.dialogs.messages.last().caption, QStringLiteral("Fout"));
            QCOMPARE(s.harness.exits, 1);
            QVERIFY(s.visible().isEmpty());
        }
        // With no maps, Enter starts nothing and "Andere gebruiker" still leads back.
        Session s(pupils({"Anna"}), MapHeader);
        QVERIFY(s.app.start());
        s.logIn(0);
        QTest::keyClick(s.app.keuzeMenu(), Qt::Key_Return);
        drive::click(*s.app.keuzeMenu(), "cmdCancel");
        QCOMPARE(s.visible(), QList<QWidget*>({&s.app.login()}));
    }
};

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
