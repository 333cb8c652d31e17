// Start-up of the pupil program: the splash, spare databases, the "Fout" end
// and the login window.
#include "fakedialogs.h"
#include "frmkeuzemenu.h"
#include "frmlogin.h"
#include "frmsplash.h"
#include "korvelapp.h"
#include "pupilharness.h"
#include "registerfiles.h"
#include "testfolder.h"
#include "windowdriver.h"

#include <QLabel>
#include <QListWidget>
#include <QtTest>

using namespace korvel;
using namespace registerfiles;

namespace {

QStringList entries(QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Korvel")); }

    void splashCloses_data()
    {
        QTest::addColumn<QString>("how"); // its own timer, a key, or a click on the named control
        QTest::addColumn<bool>("closes");
        QTest::newRow("timer") << "timer" << true;
        QTest::newRow("key") << "key" << true;
        QTest::newRow("version") << "lblVersion" << false;
        for (const char* name : {"Frame1", "imgLogo"})
            QTest::newRow(name) << QString::fromLatin1(name) << true;
    }

    void splashCloses()
    {
        QFETCH(QString, how);
        QFETCH(bool, closes);
        frmSplash splash;
        auto* timer = drive::child<QTimer>(splash, "Timer1");
        QVERIFY(timer->isActive());
        if (how == u"timer")
            timer->setInterval(20);
        else
            timer->stop();
        QVERIFY(drive::show(splash));
        QVERIFY(!drive::child<QLabel>(splash, "imgLogo")->pixmap().isNull());
        if (how == u"key")
            QTest::keyClick(&splash, Qt::Key_A);
        else if (how == u"Frame1") // a corner of the panel, away from its labels
            QTest::mouseClick(drive::child(splash, "Frame1"), Qt::LeftButton, {}, QPoint(4, 4));
        else if (how != u"timer")
            drive::click(splash.findChild<QWidget*>(how));
        QTRY_COMPARE(splash.isVisible(), !closes);
    }

    void splashComesFirstThenSpareFilesMoveThenTheListFills()
    {
        TestFolder folder;
        const QByteArray pupilBytes = pupils({"Anna", "Zo\xeb", QByteArray(60, 'x')});
        const QByteArray mapBytes = maps({{"Europa", "europa.krt"}});
        folder.write(QStringLiteral("leerling.sd_"), pupilBytes);
        folder.write(QStringLiteral("kaarten.sd_"), mapBytes);
        Harness harness;
        KorvelApp app;
        int splashes = 0;
        bool loginShown = true, spareThere = false;
        frmSplash::setShownHook([&](frmSplash& splash) {
            splash.findChild<QTimer*>(QStringLiteral("Timer1"))->start(0);
            ++splashes;
            loginShown = app.login().isVisible();
            spareThere = folder.exists(QStringLiteral("leerling.sd_"));
        });
        QVERIFY(app.start());
        QCOMPARE(splashes, 1);
        QVERIFY(!loginShown);
        QVERIFY(spareThere);
        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")), pupilBytes);
        QCOMPARE(folder.read(QStringLiteral("kaarten.sdb")), mapBytes);
        QVERIFY(!folder.exists(QStringLiteral("leerling.sd_")));
        QVERIFY(!folder.exists(QStringLiteral("kaarten.sd_")));

        QVERIFY(QTest::qWaitForWindowExposed(&app.login()));
        auto* leerlingen = drive::child<QListWidget>(app.login(), "Leerlingen");
        QCOMPARE(entries(leerlingen),
                 QStringList({QStringLiteral("Anna"), QStringLiteral("Zo\u00eb"), QString(50, u'x')}));
        QVERIFY(!drive::child(app.login(), "cmdOK")->isEnabled());
        // The 60-character name becomes Gebruiker as listed.
        drive::selectRow(leerlingen, 2);
        drive::click(app.login(), "cmdOK");
        QCOMPARE(app.login().Gebruiker(), QString(50, u'x'));
        QVERIFY(!app.login().isVisible());
    }

    void unusablePupilDatabaseEndsTheProgram_data()
    {
        QTest::addColumn<QByteArray>("leerling");
        QTest::addColumn<QStringList>("texts");
        const QString fout =
            QStringLiteral("Er is een fout opgetreden bij het openen van de database. Zorg ervoor "
                           "dat er gebruikers zijn aangemaakt in de administratie!");
        QTest::newRow("missing") << QByteArray()
                                 << QStringList({QStringLiteral("Database bestaat niet"), fout});
        // A title differing only by a trailing blank is not the pupil database.
        QTest::newRow("title blank") << QByteArray(
                                            "Leerlingendatabase \r\n 2 \r\nId\r\n 5 \r\nNaam\r\n 50 \r\n")
                                     << QStringList({fout});
    }

    void unusablePupilDatabaseEndsTheProgram()
    {
        QFETCH(QByteArray, leerling);
        QFETCH(QStringList, texts);
        TestFolder folder;
        if (!leerling.isEmpty())
            folder.write(QStringLiteral("leerling.sdb"), leerling);
        FakeDialogs dialogs;
        Harness harness;
        KorvelApp app;
        QVERIFY(!app.start());
        QCOMPARE(harness.exits, 1);
        QVERIFY(!app.login().isVisible());
        QCOMPARE(drive::child<QListWidget>(app.login(), "Leerlingen")->count(), 0);
        QCOMPARE(dialogs.messageTexts(), texts);
        QCOMPARE(dialogs.messages.last().caption, QStringLiteral("Fout"));
    }

    void loginListEnterDoubleClickEscAndCloseBox()
    {
        TestFolder folder;
        folder.write(QStringLiteral("leerling.sdb"), pupils({"Anna", "Bram"}));
        folder.write(QStringLiteral("kaarten.sdb"), maps({{"Europa", "europa.krt"}}));
        FakeDialogs dialogs;
        Harness harness;
        KorvelApp app;
        QVERIFY(app.start());
        frmLogin* login = &app.login();
        QVERIFY(QTest::qWaitForWindowExposed(login));
        auto* leerlingen = drive::child<QListWidget>(*login, "Leerlingen");

        // Enter or a double-click on empty space with nothing selected does nothing.
        QTest::keyClick(login, Qt::Key_Return);
        drive::doubleClick(leerlingen->viewport(), QPoint(10, leerlingen->viewport()->height() - 5));
        QVERIFY(login->isVisible());
        QVERIFY(login->Gebruiker().isEmpty());

        // Double-clicking a name is OK.
        drive::doubleClickRow(leerlingen, 1);
        QCOMPARE(login->Gebruiker(), QStringLiteral("Bram"));
        QVERIFY(!login->isVisible());
        QVERIFY(app.keuzeMenu()->isVisible());

        // Back again: the same selection; Enter presses OK.
        drive::click(*app.keuzeMenu(), "cmdCancel");
        QCOMPARE(leerlingen->currentRow(), 1);
        drive::selectRow(leerlingen, 0);
        QTest::keyClick(login, Qt::Key_Return);
        QCOMPARE(login->Gebruiker(), QStringLiteral("Anna"));
        drive::click(*app.keuzeMenu(), "cmdCancel");

        // Esc is "Afsluiten"; the window is not closed for it.
        QTest::keyClick(login, Qt::Key_Escape);
        QCOMPARE(harness.exits, 1);
        QVERIFY(login->isVisible());
        // The close box ends the program too, menus having been shown before.
        login->close();
        QCOMPARE(harness.exits, 2);
        QVERIFY(dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
