// The map menu and the activity menu: how the pupil program's windows hand
// over to one another, and what each button leaves behind.
#include "fakedialogs.h"
#include "frmkaart.h"
#include "frmkeuzemenu.h"
#include "frmkeuzemenu2.h"
#include "frmlogin.h"
#include "korvelapp.h"
#include "pupilfolder.h"
#include "testfolder.h"

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

using namespace korvel;
using namespace pupilfolder;

namespace {

const QString KaartenFout =
    QStringLiteral("Er is een fout opgetreden in de kaartendatabase. Installeer het programma opnieuw.");

QAbstractButton* button(QWidget* window, const QString& name)
{
    auto* found = window->findChild<QAbstractButton*>(name);
    if (!found)
        qFatal("no button %s", qPrintable(name));
    return found;
}

void click(QWidget* window, const QString& name)
{
    QTest::mouseClick(button(window, name), Qt::LeftButton);
}

QListWidget* list(QWidget* window, const QString& name)
{
    return window->findChild<QListWidget*>(name);
}

void select(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

QString statusLine(frmKeuzeMenu2* menu)
{
    return menu->findChild<QLabel*>(QStringLiteral("lblKeuze"))->text();
}

// A started program with Anna, Bram and two maps, logged in as the pupil of row.
struct Session
{
    TestFolder folder;
    FakeDialogs dialogs;
    Harness harness;
    std::unique_ptr<KorvelApp> app;

    Session()
    {
        folder.write(QStringLiteral("leerling.sdb"), pupils({"Anna", "Bram"}));
        folder.write(QStringLiteral("kaarten.sdb"), maps({{"Europa", "europa.krt "}, {"Nederland", "nl.krt"}}));
        app = std::make_unique<KorvelApp>();
    }
    frmLogin* login() const { return &app->login(); }
    void logIn(int row)
    {
        select(list(login(), QStringLiteral("Leerlingen")), row);
        click(login(), QStringLiteral("cmdOK"));
    }
    // Only these windows of the program are visible.
    QList<QWidget*> visibleWindows() const
    {
        QList<QWidget*> visible;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible())
                visible.append(window);
        }
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
        QVERIFY(s.app->start());
        s.logIn(0);
        QCOMPARE(s.login()->Gebruiker, QStringLiteral("Anna"));
        frmKeuzeMenu* menu = s.app->keuzeMenu();
        QVERIFY(menu);
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({menu}));
        QCOMPARE(menu->windowTitle(), QStringLiteral("Keuzemenu"));
        QListWidget* kaarten = list(menu, QStringLiteral("Kaarten"));
        QCOMPARE(kaarten->item(0)->text(), QStringLiteral("Europa                        "));
        QCOMPARE(kaarten->count(), 2);
        QVERIFY(!list(menu, QStringLiteral("KaartenBestand"))->isVisibleTo(menu));
        QVERIFY(!button(menu, QStringLiteral("cmdStart"))->isEnabled());
        QVERIFY(button(menu, QStringLiteral("opNiveau_0"))->isChecked());
        QCOMPARE(menu->Niveau, 0);

        // Map and level 2: the activity menu shows them, the map menu hides.
        select(kaarten, 0);
        click(menu, QStringLiteral("opNiveau_1"));
        click(menu, QStringLiteral("cmdStart"));
        frmKeuzeMenu2* activities = s.app->keuzeMenu2();
        QVERIFY(activities);
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({activities}));
        QCOMPARE(activities->windowTitle(), QStringLiteral("Wat wil je doen?"));
        QCOMPARE(statusLine(activities), QStringLiteral("Gebruiker: Anna. Kaart: Europa. Niveau: 2."));
        const Keuze chosen = s.app->keuze();
        QCOMPARE(chosen.Gebruiker, QStringLiteral("Anna"));
        QCOMPARE(chosen.Kaart, QStringLiteral("Europa"));
        QCOMPARE(chosen.KaartFile, QStringLiteral("europa.krt "));
        QCOMPARE(chosen.Niveau, 2);

        // "Kaart of niveau veranderen": the map menu as it was left; Start gives the same choices.
        click(activities, QStringLiteral("cmdAndereKaart"));
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({menu}));
        QTRY_VERIFY(!s.app->keuzeMenu2());
        QCOMPARE(kaarten->currentRow(), 0);
        QVERIFY(button(menu, QStringLiteral("opNiveau_1"))->isChecked());
        QVERIFY(button(menu, QStringLiteral("cmdStart"))->isEnabled());
        QTest::keyClick(menu, Qt::Key_Return);
        QVERIFY(s.app->keuzeMenu2());
        QCOMPARE(statusLine(s.app->keuzeMenu2()), QStringLiteral("Gebruiker: Anna. Kaart: Europa. Niveau: 2."));

        // The activity menu's close box also leads back to the map menu.
        s.app->keuzeMenu2()->close();
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({menu}));

        // Another map by double-click, level 3.
        click(menu, QStringLiteral("opNiveau_2"));
        frmKeuzeMenu2* previous = s.app->keuzeMenu2();
        doubleClick(kaarten->viewport(), kaarten->visualItemRect(kaarten->item(1)).center());
        QVERIFY(s.app->keuzeMenu2() != previous);
        QVERIFY(s.app->keuzeMenu2());
        QCOMPARE(statusLine(s.app->keuzeMenu2()), QStringLiteral("Gebruiker: Anna. Kaart: Nederland. Niveau: 3."));
        QCOMPARE(s.app->keuze().KaartFile, QStringLiteral("nl.krt"));

        // "Gebruiker veranderen": both menus go, the login comes back with its selection.
        click(s.app->keuzeMenu2(), QStringLiteral("cmdAndereUser"));
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({s.login()}));
        QTRY_VERIFY(!s.app->keuzeMenu() && !s.app->keuzeMenu2());
        QListWidget* leerlingen = list(s.login(), QStringLiteral("Leerlingen"));
        QCOMPARE(leerlingen->currentRow(), 0);
        QVERIFY(leerlingen->item(0)->isSelected());
        QVERIFY(button(s.login(), QStringLiteral("cmdOK"))->isEnabled());
        QCOMPARE(s.login()->Gebruiker, QStringLiteral("Anna"));

        // The next login reads the map list again and starts from scratch.
        s.folder.write(QStringLiteral("kaarten.sdb"), maps({{"Wereld", "wereld.krt"}}));
        s.logIn(1);
        menu = s.app->keuzeMenu();
        QVERIFY(menu && menu->isVisible());
        kaarten = list(menu, QStringLiteral("Kaarten"));
        QCOMPARE(kaarten->count(), 1);
        QCOMPARE(kaarten->item(0)->text().trimmed(), QStringLiteral("Wereld"));
        QVERIFY(kaarten->selectedItems().isEmpty());
        QVERIFY(button(menu, QStringLiteral("opNiveau_0"))->isChecked());
        QCOMPARE(menu->Niveau, 0);

        // Start leaving the level alone gives level 1.
        select(kaarten, 0);
        click(menu, QStringLiteral("cmdStart"));
        QCOMPARE(statusLine(s.app->keuzeMenu2()), QStringLiteral("Gebruiker: Bram. Kaart: Wereld. Niveau: 1."));

        QVERIFY(s.dialogs.messages.isEmpty());
        QCOMPARE(s.harness.exits, 0);
    }

    void mapMenuClosesBackToTheLogin()
    {
        Session s;
        QVERIFY(s.app->start());
        s.logIn(1);
        click(s.app->keuzeMenu(), QStringLiteral("cmdCancel"));
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({s.login()}));
        s.logIn(1);
        s.app->keuzeMenu()->close();
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({s.login()}));
        // Esc is no way out of a menu.
        s.logIn(1);
        QTest::keyClick(s.app->keuzeMenu(), Qt::Key_Escape);
        QVERIFY(s.app->keuzeMenu()->isVisible());
        QCOMPARE(s.harness.exits, 0);
    }

    void afsluitenEndsAtOnceFromEveryWindow()
    {
        Session s;
        QVERIFY(s.app->start());
        click(s.login(), QStringLiteral("cmdCancel"));
        QCOMPARE(s.harness.exits, 1);
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({s.login()}));

        s.logIn(0);
        click(s.app->keuzeMenu(), QStringLiteral("cmdEnd"));
        QCOMPARE(s.harness.exits, 2);
        // Ending is not closing: nothing else is shown.
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({s.app->keuzeMenu()}));

        select(list(s.app->keuzeMenu(), QStringLiteral("Kaarten")), 0);
        click(s.app->keuzeMenu(), QStringLiteral("cmdStart"));
        click(s.app->keuzeMenu2(), QStringLiteral("cmdEnd"));
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
        QVERIFY(s.app->start());
        s.logIn(0);
        select(list(s.app->keuzeMenu(), QStringLiteral("Kaarten")), 0);
        click(s.app->keuzeMenu(), QStringLiteral("cmdStart"));
        frmKeuzeMenu2* activities = s.app->keuzeMenu2();
        const QString before = statusLine(activities);

        // Closes the map screen once its modal loop runs, noting what it showed.
        struct Shown
        {
            QString name;
            QString title;
            int mode;
        };
        QList<Shown> shown;
        auto closeMapScreenSoon = [&] {
            QTimer::singleShot(0, qApp, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                QVERIFY(modal);
                shown.append({modal->objectName(), modal->windowTitle(), s.app->kaart().Mode});
                click(modal, QStringLiteral("cmdClose"));
            });
        };
        const QStringList names = {QStringLiteral("cmdShowKaart"), QStringLiteral("cmdOefen"),
                                   QStringLiteral("cmdToets"), QStringLiteral("cmdSpelletje")};
        const QStringList texts = {QStringLiteral("De kaart bekijken"), QStringLiteral("Oefenen"),
                                   QStringLiteral("Toets"), QStringLiteral("Spelletje")};
        for (int i = 0; i < names.size(); ++i) {
            QAbstractButton* activity = button(activities, names[i]);
            QCOMPARE(activity->text(), texts[i]);
            QVERIFY(!activity->icon().isNull());
            closeMapScreenSoon();
            click(activities, names[i]);
            QCOMPARE(shown.size(), i + 1);
            QCOMPARE(shown.last().name, QStringLiteral("frmKaart"));
            QCOMPARE(shown.last().title, QStringLiteral("Europa"));
            QCOMPARE(shown.last().mode, i);
            QCOMPARE(s.app->keuzeMenu2(), activities);
            QVERIFY(activities->isVisible());
            QCOMPARE(statusLine(activities), before);
        }
        QVERIFY(s.dialogs.messages.isEmpty());
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({activities}));

        // A map that cannot be opened: one message, and the pupil stays in the menu.
        QVERIFY(QFile::remove(s.folder.file(QStringLiteral("europa.krt"))));
        click(activities, QStringLiteral("cmdToets"));
        QCOMPARE(s.dialogs.messages.size(), 1);
        QVERIFY(s.dialogs.messages[0].text.contains(QStringLiteral("Europa")));
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({activities}));
        QVERIFY(!s.folder.exists(QStringLiteral("toets.res")));
    }

    void unusableMapDatabaseEndsTheProgram()
    {
        for (const bool missing : {true, false}) {
            Session s;
            if (missing)
                QVERIFY(QFile::remove(s.folder.file(QStringLiteral("kaarten.sdb"))));
            else
                s.folder.write(QStringLiteral("kaarten.sdb"), PupilHeader);
            QVERIFY(s.app->start());
            s.logIn(0);
            QCOMPARE(s.harness.exits, 1);
            QVERIFY(!s.app->keuzeMenu());
            QVERIFY(s.visibleWindows().isEmpty());
            const QList<FakeDialogs::Message> messages = s.dialogs.messages;
            QCOMPARE(messages.size(), missing ? 2 : 1);
            if (missing)
                QCOMPARE(messages.first().text, QStringLiteral("Database bestaat niet"));
            QCOMPARE(messages.last().text, KaartenFout);
            QCOMPARE(messages.last().caption, QStringLiteral("Fout"));
            QCOMPARE(messages.last().icon, velmora::MessageIcon::Critical);
            QCOMPARE(messages.last().buttons, velmora::MessageButtons::Ok);
        }
    }

    void emptyMapDatabaseStillLetsThePupilLeave()
    {
        Session s;
        s.folder.write(QStringLiteral("kaarten.sdb"), MapHeader);
        QVERIFY(s.app->start());
        s.logIn(0);
        frmKeuzeMenu* menu = s.app->keuzeMenu();
        QCOMPARE(list(menu, QStringLiteral("Kaarten"))->count(), 0);
        QVERIFY(!button(menu, QStringLiteral("cmdStart"))->isEnabled());
        QTest::keyClick(menu, Qt::Key_Return);
        QVERIFY(!s.app->keuzeMenu2());
        click(menu, QStringLiteral("cmdCancel"));
        QCOMPARE(s.visibleWindows(), QList<QWidget*>({s.login()}));
        QVERIFY(s.dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
