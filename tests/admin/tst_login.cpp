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

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Root reads every file: while this lives, files are opened as an ordinary user.
class AsOrdinaryUser
{
public:
    explicit AsOrdinaryUser(const QString& folder)
    {
        if (::geteuid() == 0) {
            ::chmod(QFile::encodeName(folder).constData(), 0711);
            ::setfsuid(65534);
        }
    }
    ~AsOrdinaryUser() { ::setfsuid(::geteuid()); }
};

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

    void withoutPasswordStraightToTheMenu()
    {
        // A missing passwd is created empty; an empty file counts as no password and is left alone.
        for (const auto& [before, after] : {std::pair{QByteArray("<missing>"), QByteArray("\r\n")},
                                            std::pair{QByteArray(), QByteArray()}}) {
            TestFolder folder;
            if (before != "<missing>")
                folder.write(Passwd, before);
            FakeDialogs dialogs;
            KorvelAdminApp app;
            app.start();
            QCOMPARE(folder.read(Passwd), after);
            QCOMPARE(dialogs.messageTexts(), QStringList{NoPassword});
            QVERIFY(app.main().isVisible());
            // Never shown: a window gets its native handle when first shown.
            QVERIFY(!app.login().windowHandle());
            // The close box only closes the menu (the program then ends as its last window closed).
            QVERIFY(app.main().close());
            QCOMPARE(m_exits, 0);
        }
    }

    // A passwd that is there but cannot be used never counts as "no password".
    void unusablePasswordFileEndsTheProgram()
    {
        for (const QString& kind :
             {QStringLiteral("folder"), QStringLiteral("fifo"), QStringLiteral("unreadable")}) {
            TestFolder folder;
            const QByteArray path = QFile::encodeName(folder.file(Passwd));
            std::optional<AsOrdinaryUser> user;
            if (kind == u"folder") {
                QVERIFY(QDir(folder.path()).mkdir(Passwd));
            } else if (kind == u"fifo") {
                QCOMPARE(::mkfifo(path.constData(), 0666), 0);
            } else {
                folder.write(Passwd, passwdFor("Geheim"));
                QCOMPARE(::chmod(path.constData(), 0), 0);
                user.emplace(folder.path());
                if (QFile file(folder.file(Passwd)); file.open(QIODevice::ReadOnly))
                    QSKIP("this user can read any file");
            }
            FakeDialogs dialogs;
            KorvelAdminApp app;
            app.start();
            QCOMPARE(m_exits, 1);
            m_exits = 0;
            QCOMPARE(dialogs.messages.size(), 1);
            const QString says = kind == u"unreadable"
                                     ? QStringLiteral("Het bestand \"passwd\" kan niet worden gelezen.")
                                     : QStringLiteral("\"passwd\" is geen gewoon bestand");
            QVERIFY2(dialogs.messages[0].text.startsWith(says), qPrintable(dialogs.messages[0].text));
            QVERIFY(dialogs.messages[0].text.endsWith(QStringLiteral("Het programma wordt nu afgesloten.")));
            QVERIFY(!app.main().isVisible() && !app.login().isVisible());
        }
    }

    void wrongTriesThenTheRightOne()
    {
        TestFolder folder;
        folder.write(Passwd, passwdFor("Geheim"));
        FakeDialogs dialogs;
        KorvelAdminApp app;
        app.start();
        auto& login = app.login();
        QVERIFY(login.isVisible() && !app.main().isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&login));
        auto* text1 = drive::child<QLineEdit>(login, "Text1");

        // Case and blanks count; every wrong try leaves the whole text selected.
        const QStringList wrong{QStringLiteral("geheim"), QStringLiteral("Geheim "), QString()};
        for (const QString& attempt : wrong) {
            drive::type(login, "Text1", attempt);
            drive::click(login, "cmdLogin");
            QCOMPARE(dialogs.messages.last().text, QStringLiteral("Wachtwoord incorrect!"));
            QCOMPARE(text1->selectedText(), attempt);
            QVERIFY(text1->hasFocus());
            QVERIFY(login.isVisible() && !app.main().isVisible());
        }
        QCOMPARE(dialogs.messages.size(), wrong.size());

        // "Annuleren" and Escape end the program.
        drive::click(login, "cmdClose");
        QTest::keyClick(&login, Qt::Key_Escape);
        QCOMPARE(m_exits, 2);

        // The file is read at every try, and typing after a wrong try replaces the text.
        folder.write(Passwd, passwdFor("Nieuw"));
        drive::type(login, "Text1", QStringLiteral("Geheim"));
        drive::click(login, "cmdLogin");
        QTest::keyClicks(text1, QStringLiteral("Nieuw"));
        QCOMPARE(text1->text(), QStringLiteral("Nieuw"));

        // A file that became unusable since the start ends the program, never opens the menu.
        QVERIFY(QFile::remove(folder.file(Passwd)) && QDir(folder.path()).mkdir(Passwd));
        drive::click(login, "cmdLogin");
        QVERIFY(dialogs.messages.last().text.startsWith(QStringLiteral("\"passwd\" is geen gewoon bestand")));
        QCOMPARE(m_exits, 3);
        QVERIFY(QDir(folder.path()).rmdir(Passwd));
        folder.write(Passwd, passwdFor("Nieuw"));

        // Enter is the login button; the right password opens the menu and closes the login.
        QTest::keyClick(text1, Qt::Key_Return);
        QCOMPARE(dialogs.messages.size(), wrong.size() + 2);
        QVERIFY(app.main().isVisible() && !login.isVisible());
        // So do the menu's "Afsluiten" and Escape.
        drive::click(app.main(), "cmdEnd");
        QTest::keyClick(&app.main(), Qt::Key_Escape);
        QCOMPARE(m_exits, 5);
    }

    void menuOpensItsWindowsModally()
    {
        TestFolder folder;
        FakeDialogs dialogs;
        KorvelAdminApp app;
        app.start();
        // Each button, the window it opens, how that closes, and the file it leaves.
        const QList<std::tuple<const char*, QString, const char*, QString>> windows = {
            {"cmdWachtwoord", QStringLiteral("frmPassChange"), "cmdClose", QString()},
            {"cmdLeerlingen", QStringLiteral("frmLeerlingen"), "cmdEnd", QStringLiteral("leerling.sdb")},
            {"cmdKaarten", QStringLiteral("frmKaarten"), "cmdEnd", QStringLiteral("kaarten.sdb")},
            {"cmdResultaat", QStringLiteral("frmResultaat"), "cmdEnd", QStringLiteral("toets.res")},
            {"Command1", QStringLiteral("frmKaartenPrint"), "cmdEnd", QString()}};
        for (const auto& [button, window, closeButton, file] : windows) {
            QString opened;
            QTimer::singleShot(0, qApp, [&opened, closeButton] {
                QWidget* modal = QApplication::activeModalWidget();
                opened = modal ? modal->objectName() : QStringLiteral("nothing");
                if (modal)
                    drive::click(*modal, closeButton);
            });
            drive::click(app.main(), button);
            QCOMPARE(opened, window);
            QVERIFY(file.isEmpty() || folder.exists(file));
            // The registers work on the program's database and close it again.
            QVERIFY(!file.endsWith(u".sdb") || !app.db().isOpen());
        }
        QVERIFY(app.main().isVisible());
        QCOMPARE(m_exits, 0);
    }

    void passwordChange()
    {
        TestFolder folder;
        const QByteArray geheim = passwdFor("Geheim");
        folder.write(Passwd, geheim);
        FakeDialogs dialogs;
        auto window = std::make_unique<korveladmin::frmPassChange>();
        QVERIFY(drive::show(*window));
        auto change = [&](const QString& current, const QString& fresh, const QString& confirmation) {
            drive::type(*window, "Text1", current);
            drive::type(*window, "Text2", fresh);
            drive::type(*window, "Text3", confirmation);
            drive::click(*window, "cmdChange");
        };
        // Every refusal leaves passwd byte for byte and the window open with its texts.
        change(QStringLiteral("geheim"), QStringLiteral("abc"), QStringLiteral("abc"));
        change(QStringLiteral("Geheim"), QStringLiteral("abc"), QStringLiteral("abc "));
        QCOMPARE(dialogs.messageTexts(),
                 (QStringList{QStringLiteral("Het huidige wachtwoord is niet goed!"),
                              QStringLiteral("Het nieuwe wachtwoord komt niet overeen de bevestiging")}));
        QCOMPARE(folder.read(Passwd), geheim);
        QVERIFY(window->isVisible());
        QVERIFY(!drive::child<QLineEdit>(*window, "Text2")->text().isEmpty());

        // Enter is the change button.
        drive::type(*window, "Text3", QStringLiteral("abc"));
        QTest::keyClick(drive::child<QLineEdit>(*window, "Text3"), Qt::Key_Return);
        QCOMPARE(dialogs.messages.last().text, QStringLiteral("Het wachtwoord is veranderd"));
        QCOMPARE(dialogs.messages.last().icon, MessageIcon::Information);
        QCOMPARE(folder.read(Passwd), QByteArray("\xb7\xd4\xc8\r\n"));
        QVERIFY(!window->isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());

        // An empty new password is accepted, and the next start skips the login.
        window = std::make_unique<korveladmin::frmPassChange>();
        QVERIFY(drive::show(*window));
        change(QStringLiteral("abc"), QString(), QString());
        QCOMPARE(folder.read(Passwd), QByteArray("\r\n"));
        dialogs.messages.clear();
        KorvelAdminApp app;
        app.start();
        QCOMPARE(dialogs.messageTexts(), QStringList{NoPassword});
        QVERIFY(app.main().isVisible());
    }

    // Text pasted into a box that goes into a data file; the registers refuse the same way.
    void typedTextThatWouldBreakAFileIsRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("why");
        QTest::newRow("a spreadsheet cell")
            << QStringLiteral("Wereld\r\n") << QStringLiteral("bevat een regelovergang (Enter).");
        QTest::newRow("tab") << QStringLiteral("Anna\tBram") << QStringLiteral("bevat een tab.");
        QTest::newRow("emoji") << QStringLiteral("Anna 😀") << QStringLiteral("bevat het teken \"😀\"");
        QTest::newRow("outside the code page")
            << QStringLiteral("Łukasz") << QStringLiteral("bevat het teken \"Ł\"");
        QTest::newRow("undefined code page byte")
            << QStringLiteral("Anna\u0081") << QStringLiteral("bevat een onzichtbaar stuurteken (code 129)");
        QTest::newRow("zero-width space")
            << QStringLiteral("Anna\u200b") << QStringLiteral("bevat een onzichtbaar teken (code U+200B)");
    }

    void typedTextThatWouldBreakAFileIsRefused()
    {
        QFETCH(QString, text);
        QFETCH(QString, why);
        TestFolder folder;
        folder.write(Passwd, passwdFor("Geheim"));
        FakeDialogs dialogs;
        korveladmin::frmPassChange password;
        QVERIFY(drive::show(password));
        drive::type(password, "Text1", QStringLiteral("Geheim"));
        drive::paste(password, "Text2", text);
        drive::paste(password, "Text3", text);
        QCOMPARE(drive::child<QLineEdit>(password, "Text3")->text(), text);
        drive::click(password, "cmdChange");
        QCOMPARE(dialogs.messages.size(), 1);
        const QString& message = dialogs.messages[0].text;
        QVERIFY2(message.startsWith(QStringLiteral("Het nieuwe wachtwoord ") + why), qPrintable(message));
        QCOMPARE(folder.read(Passwd), passwdFor("Geheim"));
        QVERIFY(password.isVisible());
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
