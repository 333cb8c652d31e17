// The map menu and the activity menu: how the pupil program's windows hand
// over to one another, and what each button leaves behind.
#include "fakedialogs.h"
#include "frmkaart.h"
#include "frmkeuzemenu.h"
#include "frmkeuzemenu2.h"
#include "frmlogin.h"
#include "korvelapp.h"
#include "pupilharness.h"
#include "registerfiles.h"
#include "testfolder.h"
#include "windowdriver.h"

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QtTest>

#include <memory>

using namespace korvel;
using namespace registerfiles;

namespace {

QString statusLine(frmKeuzeMenu2* menu)
{
    return menu->findChild<QLabel*>(QStringLiteral("lblKeuze"))->text();
}

// A started program with Anna, Bram and two maps.
struct Session
{
    TestFolder folder;
    FakeDialogs dialogs;
    Harness harness;
    std::unique_ptr<KorvelApp> app;

    explicit Session(const QByteArray& kaarten = maps({{"Europa", "europa.krt "}, {"Nederland", "nl.krt"}}))
    {
        folder.write(QStringLiteral("leerling.sdb"), pupils({"Anna", "Bram"}));
        folder.write(QStringLiteral("kaarten.sdb"), kaarten);
        app = std::make_unique<KorvelApp>();
        if (!app->start())
            qFatal("start-up failed");
    }
    frmLogin* login() const { return &app->login(); }
    frmKeuzeMenu* menu() const { return app->keuzeMenu(); }
    void logIn(int row)
    {
        drive::selectRow(drive::child<QListWidget>(*login(), "Leerlingen"), row);
        drive::click(*login(), "cmdOK");
    }
    void startMap(int row)
    {
        drive::selectRow(drive::child<QListWidget>(*menu(), "Kaarten"), row);
        drive::click(*menu(), "cmdStart");
    }
    QList<QWidget*> visibleWindows() const
    {
        QList<QWidget*> visible;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible())
                visible.append(window);
        return visible;
    }
};

} // namespace

class TestMenus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Korvel")); }

    void wholeWindowFlow()
    {
        Session s;
        s.logIn(0);
        frmKeuzeMenu* menu = s.menu();
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({menu}));
        QListWidget* kaarten = drive::child<QListWidget>(*menu, "Kaarten");
        QCOMPARE(kaarten->count(), 2);
        QCOMPARE(kaarten->item(0)->text(), QStringLiteral("Europa                        "));
        QVERIFY(!drive::child<QAbstractButton>(*menu, "cmdStart")->isEnabled());
        QVERIFY(drive::child<QAbstractButton>(*menu, "opNiveau_0")->isChecked());

        // Map and level 2: the activity menu shows them, the map menu hides.
        drive::selectRow(kaarten, 0);
        drive::click(*menu, "opNiveau_1");
        drive::click(*menu, "cmdStart");
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({s.app->keuzeMenu2()}));
        QCOMPARE(statusLine(s.app->keuzeMenu2()),
                 QStringLiteral("Gebruiker: Anna. Kaart: Europa. Niveau: 2."));
        QCOMPARE(s.app->keuze().KaartFile, QStringLiteral("europa.krt "));

        // "Kaart of niveau veranderen": the map menu as it was left; Enter starts the same choice.
        drive::click(*s.app->keuzeMenu2(), "cmdAndereKaart");
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({menu}));
        QTRY_VERIFY(!s.app->keuzeMenu2());
        QCOMPARE(kaarten->currentRow(), 0);
        QVERIFY(drive::child<QAbstractButton>(*menu, "opNiveau_1")->isChecked());
        QTest::keyClick(menu, Qt::Key_Return);
        QCOMPARE(statusLine(s.app->keuzeMenu2()),
                 QStringLiteral("Gebruiker: Anna. Kaart: Europa. Niveau: 2."));
        // The activity menu's close box also leads back.
        s.app->keuzeMenu2()->close();
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({menu}));

        // Another map by double-click, level 3.
        drive::click(*menu, "opNiveau_2");
        drive::doubleClickRow(kaarten, 1);
        QCOMPARE(statusLine(s.app->keuzeMenu2()),
                 QStringLiteral("Gebruiker: Anna. Kaart: Nederland. Niveau: 3."));

        // "Gebruiker veranderen": both menus go, the login comes back with its selection.
        drive::click(*s.app->keuzeMenu2(), "cmdAndereUser");
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({static_cast<QWidget*>(s.login())}));
        QTRY_VERIFY(!s.menu() && !s.app->keuzeMenu2());
        QVERIFY(drive::child<QListWidget>(*s.login(), "Leerlingen")->item(0)->isSelected());
        QVERIFY(drive::child<QAbstractButton>(*s.login(), "cmdOK")->isEnabled());

        // The next login reads the map list again and starts from scratch; level 1 by default.
        s.folder.write(QStringLiteral("kaarten.sdb"), maps({{"Wereld", "wereld.krt"}}));
        s.logIn(1);
        kaarten = drive::child<QListWidget>(*s.menu(), "Kaarten");
        QCOMPARE(kaarten->count(), 1);
        QVERIFY(kaarten->selectedItems().isEmpty());
        QVERIFY(drive::child<QAbstractButton>(*s.menu(), "opNiveau_0")->isChecked());
        s.startMap(0);
        QCOMPARE(statusLine(s.app->keuzeMenu2()),
                 QStringLiteral("Gebruiker: Bram. Kaart: Wereld. Niveau: 1."));
        QVERIFY(s.dialogs.messages.isEmpty());
        QCOMPARE(s.harness.exits, 0);
    }

    void waysOutOfTheMenus()
    {
        Session s;
        const QList<QWidget*> loginOnly{s.login()};
        // "Afsluiten" ends at once from every window, closing nothing.
        drive::click(*s.login(), "cmdCancel");
        QCOMPARE(s.harness.exits, 1);
        QCOMPARE(s.visibleWindows(), loginOnly);
        s.logIn(1);
        drive::click(*s.menu(), "cmdCancel");
        QCOMPARE(s.visibleWindows(), loginOnly);
        s.logIn(1);
        s.menu()->close();
        QCOMPARE(s.visibleWindows(), loginOnly);
        s.logIn(1);
        QTest::keyClick(s.menu(), Qt::Key_Escape); // Esc is no way out of a menu
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({s.menu()}));
        drive::click(*s.menu(), "cmdEnd");
        QCOMPARE(s.harness.exits, 2);
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({s.menu()}));
        s.startMap(0);
        drive::click(*s.app->keuzeMenu2(), "cmdEnd");
        QCOMPARE(s.harness.exits, 3);
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({s.app->keuzeMenu2()}));
    }

    void activityButtonsOpenTheMapScreenAndComeBackUnchanged()
    {
        Session s;
        QImage picture(120, 90, QImage::Format_RGB888);
        picture.fill(Qt::white);
        QVERIFY(picture.save(s.folder.file(QStringLiteral("europa.bmp")), "BMP"));
        s.folder.write(QStringLiteral("europa.krt"), "europa.bmp\r\n1 s 300  300  Parijs\r\n");
        s.logIn(0);
        s.startMap(0);
        frmKeuzeMenu2* activities = s.app->keuzeMenu2();
        const QString before = statusLine(activities);

        const char* names[] = {"cmdShowKaart", "cmdOefen", "cmdToets", "cmdSpelletje"};
        for (int mode = 0; mode < 4; ++mode) {
            // Close the map screen by its button once its modal loop runs, noting what it
            // showed; the loop is ended all the same, so a failure cannot hang the test.
            QStringList shown;
            QTimer::singleShot(0, qApp, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                if (!modal || !QTest::qWaitForWindowExposed(modal))
                    return;
                shown << modal->objectName() << modal->windowTitle() << QString::number(s.app->kaart().Mode);
                modal->resize(1366, 768); // a school laptop's screen, not the test platform's 800 x 800
                drive::click(*modal, "cmdClose");
                shown << (modal->isVisible() ? QStringLiteral("open") : QStringLiteral("closed"));
                modal->close();
            });
            drive::click(*activities, names[mode]);
            QCOMPARE(shown, QStringList({QStringLiteral("frmKaart"), QStringLiteral("Europa"),
                                         QString::number(mode), QStringLiteral("closed")}));
            QCOMPARE(s.visibleWindows(), QList<QWidget*>({activities}));
            QCOMPARE(statusLine(activities), before);
        }
        QVERIFY(s.dialogs.messages.isEmpty());

        // A map that cannot be opened: one message, and the pupil stays in the menu.
        QVERIFY(QFile::remove(s.folder.file(QStringLiteral("europa.krt"))));
        drive::click(*activities, "cmdToets");
        QCOMPARE(s.dialogs.messages.size(), 1);
        QVERIFY(s.dialogs.messages[0].text.contains(QStringLiteral("Europa")));
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({activities}));
        QVERIFY(!s.folder.exists(QStringLiteral("toets.res")));
    }

    void unusableMapDatabaseEndsTheProgram()
    {
        Session s(PupilHeader);
        s.logIn(0);
        QCOMPARE(s.harness.exits, 1);
        QVERIFY(s.visibleWindows().isEmpty());
        QCOMPARE(s.dialogs.messageTexts(),
                 QStringList(QStringLiteral(
                     "Er is een fout opgetreden in de kaartendatabase. Installeer het programma opnieuw.")));
    }

    void emptyMapDatabaseStillLetsThePupilLeave()
    {
        Session s(MapHeader);
        s.logIn(0);
        QCOMPARE(drive::child<QListWidget>(*s.menu(), "Kaarten")->count(), 0);
        QTest::keyClick(s.menu(), Qt::Key_Return);
        QVERIFY(!s.app->keuzeMenu2());
        drive::click(*s.menu(), "cmdCancel");
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({static_cast<QWidget*>(s.login())}));
        QVERIFY(s.dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
