#include "fakedialogs.h"
#include "frmlogin.h"
#include "frmmain.h"
#include "frmpasschange.h"
#include "korveladminapp.h"
#include "passwordfile.h"
#include "programexit.h"
#include "testfolder.h"
#include "windowdriver.h"

#include <QLineEdit>
#include <QtTest>

using namespace velmora;
using korveladmin::KorvelAdminApp;

namespace {

const QString Passwd = QStringLiteral("passwd");
const QString NoPassword = QStringLiteral(
    "Er is geen wachtwoord ingesteld. Voor de veiligheid wordt aangeraden om dit wel te doen.");

QByteArray passwdFor(const QByteArray& password)
{
    return PasswordFile::encipher(password) + "\r\n";
}

} // namespace

class TestLogin : public QObject
{
    Q_OBJECT
    int m_exits = 0;

private Q_SLOTS:
    void initTestCase()
    {
        QCoreApplication::setApplicationName(QStringLiteral("KorvelAdmin"));
        ProgramExit::setHandler([this] { ++m_exits; });
    }
    void init() { m_exits = 0; }

    // A passwd that is there but cannot be used never counts as "no password".
    void unusablePasswordFileEndsTheProgram()
    {
        TestFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(Passwd));
        FakeDialogs dialogs;
        KorvelAdminApp app;
        app.start();
        QCOMPARE(m_exits, 1);
        QVERIFY(
            dialogs.messages.value(0).text.startsWith(QStringLiteral("\"passwd\" is geen gewoon bestand")));
        QVERIFY(dialogs.messages[0].text.endsWith(QStringLiteral("Het programma wordt nu afgesloten.")));
        QVERIFY(!app.main().isVisible() && !app.login().isVisible());
    }

    void wrongTriesThenTheRightOne()
    {
        TestFolder folder;
        folder.write(Passwd, passwdFor("Geheim"));
        FakeDialogs dialogs;
        KorvelAdminApp app;
        app.start();
        auto& login = app.login();
        QVERIFY(QTest::qWaitForWindowActive(&login));
        QCOMPARE(login.windowTitle(), QStringLiteral("Inloggen"));
        auto* text1 = drive::child<QLineEdit>(login, "Text1");

        // Case counts; a wrong try leaves the whole text selected.
        drive::type(login, "Text1", QStringLiteral("geheim"));
        drive::click(login, "cmdLogin");
        QCOMPARE(dialogs.messageTexts(), QStringList{QStringLiteral("Wachtwoord incorrect!")});
        QCOMPARE(text1->selectedText(), QStringLiteral("geheim"));
        QVERIFY(login.isVisible() && !app.main().isVisible());

        // "Annuleren" and Escape end the program.
        drive::click(login, "cmdClose");
        QTest::keyClick(&login, Qt::Key_Escape);
        QCOMPARE(m_exits, 2);

        // A file that became unusable since the start ends the program, never opens the menu.
        QVERIFY(QFile::remove(folder.file(Passwd)) && QDir(folder.path()).mkdir(Passwd));
        drive::type(login, "Text1", QStringLiteral("Geheim"));
        drive::click(login, "cmdLogin");
        QVERIFY(dialogs.messages.last().text.startsWith(QStringLiteral("\"passwd\" is geen gewoon bestand")));
        QCOMPARE(m_exits, 3);
        QVERIFY(QDir(folder.path()).rmdir(Passwd));

        // The file is read at every try; Enter is the login button and opens the menu.
        folder.write(Passwd, passwdFor("Nieuw"));
        drive::type(login, "Text1", QStringLiteral("Nieuw"));
        QTest::keyClick(text1, Qt::Key_Return);
        QCOMPARE(dialogs.messages.size(), 2);
        QVERIFY(app.main().isVisible() && !login.isVisible());
        // So does the menu's "Afsluiten".
        drive::click(app.main(), "cmdEnd");
        QCOMPARE(m_exits, 4);
    }

    void withoutPasswordTheMenuOpensItsWindowsModally()
    {
        TestFolder folder;
        FakeDialogs dialogs;
        KorvelAdminApp app;
        app.start();
        // A missing passwd is created empty, and counts as no password: the login is never shown.
        QCOMPARE(folder.read(Passwd), QByteArray("\r\n"));
        QCOMPARE(dialogs.messageTexts(), QStringList{NoPassword});
        QVERIFY(!app.login().windowHandle());
        // Each button, the window it opens with its caption, and how that closes.
        for (const auto& [button, window, closeButton] :
             {std::tuple{"cmdWachtwoord", "frmPassChange Wachtwoord wijzigen", "cmdClose"},
              {"cmdLeerlingen", "frmLeerlingen Leerlingendatabase", "cmdEnd"},
              {"cmdKaarten", "frmKaarten Kaartendatabase", "cmdEnd"},
              {"cmdResultaat", "frmResultaat Resultaten toets", "cmdEnd"},
              {"Command1", "frmKaartenPrint Kaarten afdrukken", "cmdEnd"}}) {
            QString opened;
            QTimer::singleShot(0, qApp, [&opened, closeButton] {
                QWidget* modal = QApplication::activeModalWidget();
                opened = modal ? modal->objectName() + u' ' + modal->windowTitle() : QString();
                if (modal)
                    drive::click(*modal, closeButton);
            });
            drive::click(app.main(), button);
            QCOMPARE(opened, QString::fromLatin1(window));
        }
        // The close box only closes the menu (the program then ends as its last window closed).
        QVERIFY(app.main().close());
        QCOMPARE(m_exits, 0);
    }

    // A colleague sets a password while the "no password" box is open: the
    // password is asked for, instead of the program running with no window.
    void passwordSetWhileTheNoPasswordBoxIsOpen()
    {
        TestFolder folder;
        folder.write(Passwd, "\r\n");
        FakeDialogs dialogs;
        dialogs.whileShown = [&] { folder.write(Passwd, passwdFor("geheim")); };
        KorvelAdminApp app;
        app.start();
        QCOMPARE(dialogs.messageTexts(), QStringList{NoPassword});
        QVERIFY(app.login().isVisible());
        QVERIFY(!app.main().isVisible());
    }

    void passwordChange()
    {
        TestFolder folder;
        folder.write(Passwd, passwdFor("Geheim"));
        FakeDialogs dialogs;
        korveladmin::frmPassChange window;
        QVERIFY(drive::show(window));
        auto change = [&](const QString& current, const QString& fresh, const QString& confirmation) {
            drive::type(window, "Text1", current);
            drive::paste(window, "Text2", fresh);
            drive::paste(window, "Text3", confirmation);
            drive::click(window, "cmdChange");
        };
        // Every refusal leaves passwd byte for byte and the window open.
        change(QStringLiteral("geheim"), QStringLiteral("abc"), QStringLiteral("abc"));
        change(QStringLiteral("Geheim"), QStringLiteral("abc"), QStringLiteral("abc "));
        QCOMPARE(dialogs.messageTexts(),
                 (QStringList{QStringLiteral("Het huidige wachtwoord is niet goed!"),
                              QStringLiteral("Het nieuwe wachtwoord komt niet overeen de bevestiging")}));
        // Pasted text that would break a data file; the registers refuse it the same way.
        for (const auto& [text, why] : {std::pair{u"Wereld\r\n", u"een regelovergang (Enter)."},
                                        {u"Anna\tBram", u"een tab."},
                                        {u"Łukasz", u"het teken \"Ł\""},
                                        {u"Anna\u0081", u"een onzichtbaar stuurteken (code 129)"},
                                        {u"Anna\u200b", u"een onzichtbaar teken (code U+200B)"}}) {
            change(QStringLiteral("Geheim"), QString::fromUtf16(text), QString::fromUtf16(text));
            const QString& message = dialogs.messages.last().text;
            QVERIFY2(
                message.startsWith(QStringLiteral("Het nieuwe wachtwoord bevat ") + QString::fromUtf16(why)),
                qPrintable(message));
        }
        QCOMPARE(folder.read(Passwd), passwdFor("Geheim"));
        QVERIFY(window.isVisible());

        // Enter is the change button.
        drive::type(window, "Text2", QStringLiteral("abc"));
        drive::type(window, "Text3", QStringLiteral("abc"));
        QTest::keyClick(drive::child<QLineEdit>(window, "Text3"), Qt::Key_Return);
        QCOMPARE(dialogs.messages.last().text, QStringLiteral("Het wachtwoord is veranderd"));
        QCOMPARE(folder.read(Passwd), QByteArray("\xb7\xd4\xc8\r\n"));
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
