// Start-up of the pupil program: the splash, spare databases, the "Fout" ends
// and the login window.
#include "fakedialogs.h"
#include "frmkeuzemenu.h"
#include "frmlogin.h"
#include "frmsplash.h"
#include "korvelapp.h"
#include "pupilfolder.h"
#include "testfolder.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

using namespace korvel;
using namespace pupilfolder;
using velmora::MessageButtons;
using velmora::MessageIcon;

namespace {

const QString LeerlingFout = QStringLiteral(
    "Er is een fout opgetreden bij het openen van de database. Zorg ervoor dat er gebruikers zijn aangemaakt in "
    "de administratie!");

QListWidget* pupilList(KorvelApp& app)
{
    return app.login().findChild<QListWidget*>(QStringLiteral("Leerlingen"));
}

QPushButton* button(QWidget& window, const char* name)
{
    return window.findChild<QPushButton*>(QString::fromLatin1(name));
}

QStringList entries(QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

void clickItem(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Korvel")); }

    void splashShowsProductAndVersion()
    {
        frmSplash splash;
        splash.show();
        QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("lblProductName"))->text(), QStringLiteral("Velmora"));
        QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("lblPlatform"))->text(), QStringLiteral("Windows"));
        const QString version = splash.findChild<QLabel*>(QStringLiteral("lblVersion"))->text();
        QCOMPARE(version, QStringLiteral("Versie " VELMORA_VERSION));
        QVERIFY(QRegularExpression(QStringLiteral("^Versie \\d+\\.\\d+\\.\\d+$")).match(version).hasMatch());
        QVERIFY(!splash.findChild<QLabel*>(QStringLiteral("lblCompanyProduct"))->text().isEmpty());
        QVERIFY(!splash.findChild<QLabel*>(QStringLiteral("imgLogo"))->pixmap().isNull());
        QVERIFY(!splash.findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().isNull());
        QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    }

    void splashClosesOnItsTimerAndOnAKey()
    {
        frmSplash byTimer;
        auto* timer = byTimer.findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 5000);
        byTimer.show();
        timer->setInterval(20);
        QTRY_VERIFY(!byTimer.isVisible());
        QCOMPARE(byTimer.result(), int(QDialog::Accepted));

        frmSplash byKey;
        byKey.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
        byKey.show();
        QTest::keyClick(&byKey, Qt::Key_A);
        QVERIFY(!byKey.isVisible());
    }

    void splashClicksCloseExceptOnVersionAndSecondPicture()
    {
        for (const char* name : {"lblVersion", "Image1"}) {
            frmSplash splash;
            splash.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
            splash.show();
            QTest::mouseClick(splash.findChild<QWidget*>(QString::fromLatin1(name)), Qt::LeftButton);
            QVERIFY2(splash.isVisible(), name);
        }
        for (const char* name : {"Frame1", "imgLogo", "lblProductName", "lblPlatform", "lblCompanyProduct"}) {
            frmSplash splash;
            splash.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
            splash.show();
            auto* target = splash.findChild<QWidget*>(QString::fromLatin1(name));
            // On the panel, click a corner away from its labels.
            const QPoint at = target->objectName() == u"Frame1" ? QPoint(4, 4) : target->rect().center();
            QTest::mouseClick(target, Qt::LeftButton, {}, at);
            QVERIFY2(!splash.isVisible(), name);
        }
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
        QCOMPARE(app.login().windowTitle(), QStringLiteral("Login"));
        QCOMPARE(entries(pupilList(app)),
                 QStringList({QStringLiteral("Anna"), QStringLiteral("Zo\u00eb"), QString(50, u'x')}));
        QVERIFY(pupilList(app)->selectedItems().isEmpty());
        QVERIFY(!button(app.login(), "cmdOK")->isEnabled());
        QVERIFY(!app.database().isOpen());

        // The 60-character name becomes Gebruiker as listed.
        clickItem(pupilList(app), 2);
        QVERIFY(button(app.login(), "cmdOK")->isEnabled());
        QTest::mouseClick(button(app.login(), "cmdOK"), Qt::LeftButton);
        QCOMPARE(app.login().Gebruiker, QString(50, u'x'));
        QVERIFY(!app.login().isVisible());
        QCOMPARE(harness.exits, 0);
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
        QCOMPARE(entries(pupilList(app)), QStringList({QStringLiteral("Anna")}));
    }

    void unusablePupilDatabaseEndsTheProgram()
    {
        {
            TestFolder folder;
            FakeDialogs dialogs;
            Harness harness;
            KorvelApp app;
            QVERIFY(!app.start());
            QCOMPARE(harness.exits, 1);
            QVERIFY(!app.login().isVisible());
            QCOMPARE(dialogs.messages.size(), 2);
            QCOMPARE(dialogs.messages[0].text, QStringLiteral("Database bestaat niet"));
            QCOMPARE(dialogs.messages[0].caption, QStringLiteral("Korvel"));
            QCOMPARE(dialogs.messages[0].icon, MessageIcon::None);
            QCOMPARE(dialogs.messages[0].buttons, MessageButtons::Ok);
            QCOMPARE(dialogs.messages[1].text, LeerlingFout);
            QCOMPARE(dialogs.messages[1].caption, QStringLiteral("Fout"));
            QCOMPARE(dialogs.messages[1].icon, MessageIcon::Critical);
            QCOMPARE(dialogs.messages[1].buttons, MessageButtons::Ok);
        }
        {
            // Another database in the pupil database's place.
            TestFolder folder;
            folder.write(QStringLiteral("leerling.sdb"), maps({{"Europa", "europa.krt"}}));
            FakeDialogs dialogs;
            Harness harness;
            KorvelApp app;
            QVERIFY(!app.start());
            QCOMPARE(harness.exits, 1);
            QCOMPARE(dialogs.messageTexts(), QStringList({LeerlingFout}));
            QCOMPARE(pupilList(app)->count(), 0);
        }
        {
            // A title differing only by a trailing blank is not the pupil database.
            TestFolder folder;
            folder.write(QStringLiteral("leerling.sdb"), "Leerlingendatabase \r\n 2 \r\nId\r\n 5 \r\nNaam\r\n 50 \r\n");
            FakeDialogs dialogs;
            Harness harness;
            KorvelApp app;
            QVERIFY(!app.start());
            QCOMPARE(dialogs.messageTexts(), QStringList({LeerlingFout}));
        }
    }

    void emptyPupilListLeavesOnlyTheWaysOut()
    {
        TestFolder folder;
        folder.write(QStringLiteral("leerling.sdb"), PupilHeader);
        folder.write(QStringLiteral("kaarten.sdb"), maps({}));
        FakeDialogs dialogs;
        Harness harness;
        KorvelApp app;
        QVERIFY(app.start());
        QCOMPARE(pupilList(app)->count(), 0);
        QVERIFY(!button(app.login(), "cmdOK")->isEnabled());
        QTest::keyClick(&app.login(), Qt::Key_Return);
        doubleClick(pupilList(app)->viewport(), QPoint(10, 10));
        QVERIFY(app.login().isVisible());
        QVERIFY(!app.keuzeMenu());
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(harness.exits, 0);
    }

    void loginListEnterDoubleClickEscAndCloseBox()
    {
        TestFolder folder;
        folder.write(QStringLiteral("leerling.sdb"), pupils({"Anna", "Bram"}));
        folder.write(QStringLiteral("kaarten.sdb"), maps({{"Europa", "europa.krt"}}));
        Harness harness;
        KorvelApp app;
        QVERIFY(app.start());
        QListWidget* list = pupilList(app);

        // Double-clicking an empty part of the list with nothing selected does nothing.
        doubleClick(list->viewport(), QPoint(10, list->viewport()->height() - 5));
        QVERIFY(app.login().isVisible());
        QVERIFY(app.login().Gebruiker.isEmpty());

        // Double-clicking a name is OK.
        doubleClick(list->viewport(), list->visualItemRect(list->item(1)).center());
        QCOMPARE(app.login().Gebruiker, QStringLiteral("Bram"));
        QVERIFY(!app.login().isVisible());
        QVERIFY(app.keuzeMenu() && app.keuzeMenu()->isVisible());

        // Back again: the same selection, OK enabled; Enter presses OK.
        QTest::mouseClick(button(*app.keuzeMenu(), "cmdCancel"), Qt::LeftButton);
        QVERIFY(app.login().isVisible());
        QCOMPARE(list->currentRow(), 1);
        QVERIFY(button(app.login(), "cmdOK")->isEnabled());
        clickItem(list, 0);
        QTest::keyClick(&app.login(), Qt::Key_Return);
        QCOMPARE(app.login().Gebruiker, QStringLiteral("Anna"));
        QTest::mouseClick(button(*app.keuzeMenu(), "cmdCancel"), Qt::LeftButton);

        // Esc is "Afsluiten"; the window is not closed for it.
        QTest::keyClick(&app.login(), Qt::Key_Escape);
        QCOMPARE(harness.exits, 1);
        QVERIFY(app.login().isVisible());
        QTest::mouseClick(button(app.login(), "cmdCancel"), Qt::LeftButton);
        QCOMPARE(harness.exits, 2);

        // The close box ends the program too, menus having been shown before.
        app.login().close();
        QCOMPARE(harness.exits, 3);
        QVERIFY(!app.login().isVisible());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
