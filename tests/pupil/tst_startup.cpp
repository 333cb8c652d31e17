// Start-up of the pupil program: the splash, spare databases, the "Fout" ends
// and the login window.
#include "fakedialogs.h"
#include "frmkeuzemenu.h"
#include "frmlogin.h"
#include "frmsplash.h"
#include "korvelapp.h"
#include "pupilfolder.h"

#include <QLabel>
#include <QtTest>

using namespace korvel;
using namespace pupilfolder;

namespace {

const QString LeerlingFout = QStringLiteral("Er is een fout opgetreden bij het openen van de database. Zorg "
                                            "ervoor dat er gebruikers zijn aangemaakt in "
                                            "de administratie!");

QStringList entries(QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QString labelText(QWidget& window, const char* name)
{
    return window.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Korvel")); }

    void splashShowsVersionAndClosesOnItsTimerAndOnAKey()
    {
        frmSplash byTimer;
        QCOMPARE(labelText(byTimer, "lblProductName"), QStringLiteral("Velmora"));
        QCOMPARE(labelText(byTimer, "lblVersion"), QStringLiteral("Versie " VELMORA_VERSION));
        QCOMPARE(labelText(byTimer, "lblPlatform"), QStringLiteral("Windows"));
        QVERIFY(!byTimer.findChild<QLabel*>(QStringLiteral("imgLogo"))->pixmap().isNull());
        auto* timer = byTimer.findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 5000);
        byTimer.show();
        timer->setInterval(20);
        QTRY_VERIFY(!byTimer.isVisible());

        frmSplash byKey;
        byKey.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
        byKey.show();
        QTest::keyClick(&byKey, Qt::Key_A);
        QVERIFY(!byKey.isVisible());
    }

    void splashClicks_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("closes");
        QTest::newRow("version") << QStringLiteral("lblVersion") << false;
        QTest::newRow("second picture") << QStringLiteral("Image1") << false;
        for (const char* name : {"Frame1", "imgLogo", "lblProductName", "lblPlatform", "lblCompanyProduct"})
            QTest::newRow(name) << QString::fromLatin1(name) << true;
    }

    void splashClicks()
    {
        QFETCH(QString, target);
        QFETCH(bool, closes);
        frmSplash splash;
        splash.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
        splash.show();
        auto* widget = splash.findChild<QWidget*>(target);
        // On the panel, click a corner away from its labels.
        QTest::mouseClick(widget, Qt::LeftButton, {},
                          target == u"Frame1" ? QPoint(4, 4) : widget->rect().center());
        QCOMPARE(splash.isVisible(), !closes);
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

        QVERIFY(app.login().isVisible());
        QListWidget* leerlingen = list(&app.login(), "Leerlingen");
        QCOMPARE(entries(leerlingen),
                 QStringList({QStringLiteral("Anna"), QStringLiteral("Zo\u00eb"), QString(50, u'x')}));
        QVERIFY(!button(&app.login(), "cmdOK")->isEnabled());
        // The 60-character name becomes Gebruiker as listed.
        select(leerlingen, 2);
        click(&app.login(), "cmdOK");
        QCOMPARE(app.login().Gebruiker(), QString(50, u'x'));
        QVERIFY(!app.login().isVisible());
    }

    void sparesNeverReplaceAnExistingDatabase()
    {
        TestFolder folder;
        const QByteArray current = pupils({"Anna"});
        const QByteArray spare = pupils({"Bram"});
        folder.write(QStringLiteral("leerling.sdb"), current);
        folder.write(QStringLiteral("leerling.sd_"), spare);
        // A data folder from Windows may carry upper-case names.
        folder.write(QStringLiteral("KAARTEN.SDB"), maps({}));
        folder.write(QStringLiteral("kaarten.sd_"), maps({{"Europa", "europa.krt"}}));
        Harness harness;
        KorvelApp app;
        QVERIFY(app.start());
        QCOMPARE(folder.read(QStringLiteral("leerling.sdb")), current);
        QCOMPARE(folder.read(QStringLiteral("leerling.sd_")), spare);
        QVERIFY(folder.exists(QStringLiteral("kaarten.sd_")));
        QVERIFY(!folder.exists(QStringLiteral("kaarten.sdb")));
        QCOMPARE(entries(list(&app.login(), "Leerlingen")), QStringList({QStringLiteral("Anna")}));
    }

    void unusablePupilDatabaseEndsTheProgram_data()
    {
        QTest::addColumn<QByteArray>("leerling");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("missing") << QByteArray()
                                 << QStringList({QStringLiteral("Database bestaat niet"), LeerlingFout});
        QTest::newRow("map database") << maps({{"Europa", "europa.krt"}}) << QStringList({LeerlingFout});
        // A title differing only by a trailing blank is not the pupil database.
        QTest::newRow("title blank") << QByteArray(
                                            "Leerlingendatabase \r\n 2 \r\nId\r\n 5 \r\nNaam\r\n 50 \r\n")
                                     << QStringList({LeerlingFout});
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
        QCOMPARE(list(&app.login(), "Leerlingen")->count(), 0);
        QCOMPARE(dialogs.messageTexts(), texts);
        if (texts.size() == 2)
            QCOMPARE(dialogs.messages.first().icon, velmora::MessageIcon::None);
        QCOMPARE(dialogs.messages.last().caption, QStringLiteral("Fout"));
        QCOMPARE(dialogs.messages.last().icon, velmora::MessageIcon::Critical);
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
        QListWidget* leerlingen = list(login, "Leerlingen");

        // Enter or a double-click on empty space with nothing selected does nothing.
        QTest::keyClick(login, Qt::Key_Return);
        doubleClick(leerlingen->viewport(), QPoint(10, leerlingen->viewport()->height() - 5));
        QVERIFY(login->isVisible());
        QVERIFY(login->Gebruiker().isEmpty());

        // Double-clicking a name is OK.
        doubleClick(leerlingen->viewport(), rowCentre(leerlingen, 1));
        QCOMPARE(login->Gebruiker(), QStringLiteral("Bram"));
        QVERIFY(!login->isVisible());
        QVERIFY(app.keuzeMenu()->isVisible());

        // Back again: the same selection; Enter presses OK.
        click(app.keuzeMenu(), "cmdCancel");
        QCOMPARE(leerlingen->currentRow(), 1);
        select(leerlingen, 0);
        QTest::keyClick(login, Qt::Key_Return);
        QCOMPARE(login->Gebruiker(), QStringLiteral("Anna"));
        click(app.keuzeMenu(), "cmdCancel");

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
