#include "fakedialogs.h"
#include "frmlogin.h"
#include "frmmain.h"
#include "frmpasschange.h"
#include "korveladminapp.h"
#include "passwordfile.h"
#include "programexit.h"
#include "readonlyfolder.h"
#include "smartbase.h"
#include "testfolder.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace velmora;
using korveladmin::KorvelAdminApp;

namespace {

const QString NoPassword =
    QStringLiteral("Er is geen wachtwoord ingesteld. Voor de veiligheid wordt aangeraden om dit wel te doen.");

// Counts how often a window is shown.
class ShowCounter : public QObject
{
public:
    explicit ShowCounter(QWidget* window) { window->installEventFilter(this); }
    int shows = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

QByteArray passwdFor(const QByteArray& password)
{
    return PasswordFile::encipher(password) + "\r\n";
}

template <typename T = QPushButton>
T* child(QWidget& window, const char* name)
{
    T* widget = window.findChild<T*>(QLatin1StringView(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

void type(QWidget& window, const char* box, const QString& text)
{
    auto* edit = child<QLineEdit>(window, box);
    edit->clear();
    // Key events carry only Latin-1 letters; the rest arrives as if pasted.
    const bool keyable = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 32 && c.unicode() < 127; });
    if (keyable)
        QTest::keyClicks(edit, text);
    else
        edit->insert(text);
}

} // namespace

class TestLogin : public QObject
{
    Q_OBJECT
    int m_exits = 0;

    // Runs `act` on the modal window that the next click opens, once its event loop runs.
    static void onModal(std::function<void(QWidget*)> act)
    {
        QTimer::singleShot(0, qApp, [act] { act(QApplication::activeModalWidget()); });
    }

    void compareMessage(const FakeDialogs::Message& m, const QString& text, const QString& caption,
                        MessageIcon icon)
    {
        QCOMPARE(m.text, text);
        QCOMPARE(m.caption, caption);
        QCOMPARE(m.icon, icon);
        QCOMPARE(m.buttons, MessageButtons::Ok);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCoreApplication::setApplicationName(QStringLiteral("KorvelAdmin"));
        ProgramExit::setHandler([this] { ++m_exits; });
    }
    void init() { m_exits = 0; }

    void firstStartWithoutPasswordGoesStraightToTheMenu()
    {
        TestFolder folder;
        FakeDialogs dialogs;
        KorvelAdminApp app;
        ShowCounter loginShows(&app.login());
        app.start();
        QCOMPARE(folder.read(QStringLiteral("passwd")), QByteArray("\r\n"));
        QCOMPARE(dialogs.messages.size(), 1);
        compareMessage(dialogs.messages[0], NoPassword, QStringLiteral("Wachtwoord"), MessageIcon::Information);
        QVERIFY(app.main().isVisible());
        QVERIFY(!app.login().isVisible());
        QCOMPARE(loginShows.shows, 0);
        QCOMPARE(m_exits, 0);
    }

    void zeroBytePasswdMeansNoPassword()
    {
        TestFolder folder;
        folder.write(QStringLiteral("passwd"), "");
        FakeDialogs dialogs;
        KorvelAdminApp app;
        ShowCounter loginShows(&app.login());
        app.start();
        QCOMPARE(dialogs.messageTexts(), QStringList{NoPassword});
        QVERIFY(app.main().isVisible());
        QCOMPARE(loginShows.shows, 0);
        // An existing file is not rewritten at start.
        QCOMPARE(folder.read(QStringLiteral("passwd")), QByteArray());
    }

    void wrongTriesThenTheRightOne()
    {
        TestFolder folder;
        folder.write(QStringLiteral("passwd"), passwdFor("Geheim"));
        FakeDialogs dialogs;
        KorvelAdminApp app;
        app.start();
        auto& login = app.login();
        QVERIFY(login.isVisible());
        QVERIFY(!app.main().isVisible());
        QVERIFY(dialogs.messages.isEmpty());
        QVERIFY(QTest::qWaitForWindowActive(&login));
        auto* text1 = child<QLineEdit>(login, "Text1");
        QVERIFY(text1->hasFocus());

        // Case and blanks count; every wrong try leaves the whole text selected.
        const QStringList wrong{QStringLiteral("geheim"), QStringLiteral("GEHEIM"), QStringLiteral("Geheim "),
                                QStringLiteral(" Geheim"), QStringLiteral("Gehei"), QString()};
        for (const QString& attempt : wrong) {
            type(login, "Text1", attempt);
            QTest::mouseClick(child(login, "cmdLogin"), Qt::LeftButton);
            compareMessage(dialogs.messages.last(), QStringLiteral("Wachtwoord incorrect!"),
                           QStringLiteral("Wachtwoord"), MessageIcon::Critical);
            QCOMPARE(text1->selectedText(), attempt);
            QVERIFY(text1->hasFocus());
            QVERIFY(login.isVisible());
            QVERIFY(!app.main().isVisible());
        }
        QCOMPARE(dialogs.messages.size(), wrong.size());

        // Typing after a wrong try replaces it.
        type(login, "Text1", QStringLiteral("Geheim!"));
        QTest::mouseClick(child(login, "cmdLogin"), Qt::LeftButton);
        QTest::keyClicks(text1, QStringLiteral("Geheim"));
        QCOMPARE(text1->text(), QStringLiteral("Geheim"));

        // Enter is the login button; the right password opens the menu and closes the login.
        QTest::keyClick(text1, Qt::Key_Return);
        QCOMPARE(dialogs.messages.size(), wrong.size() + 1);
        QVERIFY(app.main().isVisible());
        QVERIFY(!login.isVisible());
        QCOMPARE(m_exits, 0);
    }

    void passwordReadAtEveryTry()
    {
        TestFolder folder;
        folder.write(QStringLiteral("passwd"), passwdFor("Oud"));
        FakeDialogs dialogs;
        KorvelAdminApp app;
        app.start();
        folder.write(QStringLiteral("passwd"), passwdFor("Nieuw"));
        type(app.login(), "Text1", QStringLiteral("Oud"));
        QTest::mouseClick(child(app.login(), "cmdLogin"), Qt::LeftButton);
        QCOMPARE(dialogs.messageTexts(), QStringList{QStringLiteral("Wachtwoord incorrect!")});
        type(app.login(), "Text1", QStringLiteral("Nieuw"));
        QTest::mouseClick(child(app.login(), "cmdLogin"), Qt::LeftButton);
        QVERIFY(app.main().isVisible());
    }

    void cancelEscAndAfsluitenEndTheProgram()
    {
        TestFolder folder;
        folder.write(QStringLiteral("passwd"), passwdFor("x"));
        FakeDialogs dialogs;
        KorvelAdminApp app;
        app.start();
        QTest::mouseClick(child(app.login(), "cmdClose"), Qt::LeftButton);
        QCOMPARE(m_exits, 1);
        QTest::keyClick(&app.login(), Qt::Key_Escape);
        QCOMPARE(m_exits, 2);
        QVERIFY(!app.main().isVisible());

        auto& main = app.main();
        main.show();
        QTest::mouseClick(child(main, "cmdEnd"), Qt::LeftButton);
        QCOMPARE(m_exits, 3);
        QTest::keyClick(&main, Qt::Key_Escape);
        QCOMPARE(m_exits, 4);
        // The close box just closes the menu; with no window left the program ends by itself.
        QVERIFY(main.close());
        QVERIFY(!main.isVisible());
        QCOMPARE(m_exits, 4);
        QVERIFY(dialogs.messages.isEmpty());
    }

    void menuOpensItsWindowsModally()
    {
        TestFolder folder;
        folder.write(QStringLiteral("passwd"), "\r\n");
        FakeDialogs dialogs;
        SmartBase db([](const QString& m) { Dialogs::notify(m); });
        korveladmin::frmMain main(db);
        main.show();

        QString opened;
        onModal([&](QWidget* w) {
            opened = w ? w->objectName() : QStringLiteral("nothing");
            if (w)
                QTest::keyClick(w, Qt::Key_Escape);
        });
        QTest::mouseClick(child(main, "cmdWachtwoord"), Qt::LeftButton);
        QCOMPARE(opened, QStringLiteral("frmPassChange"));

        onModal([&](QWidget* w) {
            opened = w ? w->objectName() : QStringLiteral("nothing");
            if (w)
                QTest::mouseClick(child(*w, "cmdEnd"), Qt::LeftButton);
        });
        QTest::mouseClick(child(main, "cmdLeerlingen"), Qt::LeftButton);
        QCOMPARE(opened, QStringLiteral("frmLeerlingen"));
        // The register made a pupil list and closed it again.
        QVERIFY(folder.exists(QStringLiteral("leerling.sdb")));
        QVERIFY(!db.isOpen());
        QVERIFY(main.isVisible());
        QCOMPARE(m_exits, 0);
    }

    void passwordChange()
    {
        TestFolder folder;
        const QByteArray geheim = passwdFor("Geheim");
        folder.write(QStringLiteral("passwd"), geheim);
        FakeDialogs dialogs;
        const QString title = QStringLiteral("KorvelAdmin");
        korveladmin::frmPassChange window;
        window.show();
        auto change = [&](const QString& current, const QString& fresh, const QString& confirmation) {
            type(window, "Text1", current);
            type(window, "Text2", fresh);
            type(window, "Text3", confirmation);
            QTest::mouseClick(child(window, "cmdChange"), Qt::LeftButton);
        };

        change(QStringLiteral("geheim"), QStringLiteral("abc"), QStringLiteral("abc"));
        compareMessage(dialogs.messages.last(), QStringLiteral("Het huidige wachtwoord is niet goed!"), title,
                       MessageIcon::Critical);
        QCOMPARE(folder.read(QStringLiteral("passwd")), geheim);
        QVERIFY(window.isVisible());
        QCOMPARE(child<QLineEdit>(window, "Text2")->text(), QStringLiteral("abc"));

        change(QStringLiteral("Geheim"), QStringLiteral("abc"), QStringLiteral("abc "));
        compareMessage(dialogs.messages.last(), QStringLiteral("Het nieuwe wachtwoord komt niet overeen de bevestiging"),
                       title, MessageIcon::Critical);
        QCOMPARE(folder.read(QStringLiteral("passwd")), geheim);
        QVERIFY(window.isVisible());

        // Characters that would not come back from passwd are refused.
        for (const QString& unstorable : {QStringLiteral("Łukasz"), QStringLiteral("tab\there"), QStringLiteral("\u00ff")}) {
            dialogs.messages.clear();
            change(QStringLiteral("Geheim"), unstorable, unstorable);
            QCOMPARE(dialogs.messages.size(), 1);
            QVERIFY(dialogs.messages[0].text.startsWith(QStringLiteral("Het nieuwe wachtwoord bevat een teken")));
            QCOMPARE(dialogs.messages[0].icon, MessageIcon::Critical);
            QCOMPARE(folder.read(QStringLiteral("passwd")), geheim);
            QVERIFY(window.isVisible());
        }

        change(QStringLiteral("Geheim"), QStringLiteral("abc"), QStringLiteral("abc"));
        compareMessage(dialogs.messages.last(), QStringLiteral("Het wachtwoord is veranderd"), title,
                       MessageIcon::Information);
        QCOMPARE(folder.read(QStringLiteral("passwd")), QByteArray("\xb7\xd4\xc8\r\n"));
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void emptyNewPasswordRemovesTheLogin()
    {
        TestFolder folder;
        folder.write(QStringLiteral("passwd"), passwdFor("Geheim"));
        FakeDialogs dialogs;
        {
            korveladmin::frmPassChange window;
            window.show();
            type(window, "Text1", QStringLiteral("Geheim"));
            QTest::mouseClick(child(window, "cmdChange"), Qt::LeftButton);
            QCOMPARE(dialogs.messageTexts(), QStringList{QStringLiteral("Het wachtwoord is veranderd")});
            QCOMPARE(folder.read(QStringLiteral("passwd")), QByteArray("\r\n"));
        }
        // With the stored line empty, only an empty current password is right.
        {
            korveladmin::frmPassChange window;
            window.show();
            type(window, "Text1", QStringLiteral(" "));
            QTest::mouseClick(child(window, "cmdChange"), Qt::LeftButton);
            QCOMPARE(dialogs.messageTexts().last(), QStringLiteral("Het huidige wachtwoord is niet goed!"));
            QVERIFY(window.isVisible());
        }
        // The next start skips the login again.
        dialogs.messages.clear();
        KorvelAdminApp app;
        app.start();
        QCOMPARE(dialogs.messageTexts(), QStringList{NoPassword});
        QVERIFY(app.main().isVisible());
    }

    void cancelledOrFailedChangeKeepsPasswd()
    {
        TestFolder folder;
        const QByteArray geheim = passwdFor("Geheim");
        folder.write(QStringLiteral("passwd"), geheim);
        FakeDialogs dialogs;
        {
            korveladmin::frmPassChange window;
            window.show();
            type(window, "Text1", QStringLiteral("Geheim"));
            type(window, "Text2", QStringLiteral("abc"));
            type(window, "Text3", QStringLiteral("abc"));
            QTest::keyClick(&window, Qt::Key_Escape);
            QVERIFY(!window.isVisible());
            QCOMPARE(window.result(), int(QDialog::Rejected));
            QCOMPARE(folder.read(QStringLiteral("passwd")), geheim);
        }
        korveladmin::frmPassChange window;
        window.show();
        type(window, "Text1", QStringLiteral("Geheim"));
        type(window, "Text2", QStringLiteral("abc"));
        type(window, "Text3", QStringLiteral("abc"));
        {
            ReadOnlyFolder readOnly(folder.path());
            if (!readOnly.ok())
                QSKIP("this file system cannot make a folder read-only");
            // Enter is the change button.
            QTest::keyClick(child<QLineEdit>(window, "Text3"), Qt::Key_Return);
        }
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].text.startsWith(
            QStringLiteral("Het bestand \"passwd\" kon niet worden opgeslagen. Er is niets veranderd.")));
        QCOMPARE(dialogs.messages[0].icon, MessageIcon::Critical);
        QCOMPARE(folder.read(QStringLiteral("passwd")), geheim);
        QVERIFY(window.isVisible());
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
