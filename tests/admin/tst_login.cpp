#include "fakedialogs.h"
#include "frmlogin.h"
#include "frmmain.h"
#include "frmpasschange.h"
#include "korveladminapp.h"
#include "passwordfile.h"
#include "programexit.h"
#include "readonlyfolder.h"
#include "testfolder.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace velmora;
using korveladmin::KorvelAdminApp;

namespace {

const QString Passwd = QStringLiteral("passwd");
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
        shows += event->type() == QEvent::Show;
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

void click(QWidget& window, const char* button)
{
    QTest::mouseClick(child(window, button), Qt::LeftButton);
}

void type(QWidget& window, const char* box, const QString& text)
{
    auto* edit = child<QLineEdit>(window, box);
    edit->clear();
    // Key events carry only plain letters; the rest arrives as if pasted.
    const bool keyable = std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u' ' && c < u'\x7f'; });
    if (keyable)
        QTest::keyClicks(edit, text);
    else
        edit->insert(text);
}

void compareMessage(const FakeDialogs::Message& m, const QString& text, const QString& caption, MessageIcon icon)
{
    QCOMPARE(m.text, text);
    QCOMPARE(m.caption, caption);
    QCOMPARE(m.icon, icon);
    QCOMPARE(m.buttons, MessageButtons::Ok);
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
            ShowCounter loginShows(&app.login());
            app.start();
            QCOMPARE(folder.read(Passwd), after);
            QCOMPARE(dialogs.messages.size(), 1);
            compareMessage(dialogs.messages[0], NoPassword, QStringLiteral("Wachtwoord"), MessageIcon::Information);
            QVERIFY(app.main().isVisible());
            QCOMPARE(loginShows.shows, 0);

            // The close box only closes the menu (the program then ends as its last window closed).
            QVERIFY(app.main().close());
            QVERIFY(!app.main().isVisible());
            QCOMPARE(m_exits, 0);
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
        QVERIFY(login.isVisible());
        QVERIFY(!app.main().isVisible());
        QVERIFY(dialogs.messages.isEmpty());
        QVERIFY(QTest::qWaitForWindowActive(&login));
        auto* text1 = child<QLineEdit>(login, "Text1");
        QVERIFY(text1->hasFocus());

        // Case and blanks count; every wrong try leaves the whole text selected.
        const QStringList wrong{QStringLiteral("geheim"), QStringLiteral("Geheim "), QStringLiteral(" Geheim"),
                                QStringLiteral("Gehei"), QString()};
        for (const QString& attempt : wrong) {
            type(login, "Text1", attempt);
            click(login, "cmdLogin");
            compareMessage(dialogs.messages.last(), QStringLiteral("Wachtwoord incorrect!"),
                           QStringLiteral("Wachtwoord"), MessageIcon::Critical);
            QCOMPARE(text1->selectedText(), attempt);
            QVERIFY(text1->hasFocus());
            QVERIFY(login.isVisible());
            QVERIFY(!app.main().isVisible());
        }
        QCOMPARE(dialogs.messages.size(), wrong.size());

        // The file is read at every try, and typing after a wrong try replaces it.
        folder.write(Passwd, passwdFor("Nieuw"));
        type(login, "Text1", QStringLiteral("Geheim"));
        click(login, "cmdLogin");
        QCOMPARE(dialogs.messages.size(), wrong.size() + 1);
        QTest::keyClicks(text1, QStringLiteral("Nieuw"));
        QCOMPARE(text1->text(), QStringLiteral("Nieuw"));

        // Enter is the login button; the right password opens the menu and closes the login.
        QTest::keyClick(text1, Qt::Key_Return);
        QCOMPARE(dialogs.messages.size(), wrong.size() + 1);
        QVERIFY(app.main().isVisible());
        QVERIFY(!login.isVisible());
        QCOMPARE(m_exits, 0);
    }

    void annulerenAndAfsluitenEndTheProgram()
    {
        TestFolder folder;
        folder.write(Passwd, passwdFor("x"));
        FakeDialogs dialogs;
        KorvelAdminApp app;
        app.start();
        click(app.login(), "cmdClose");
        QTest::keyClick(&app.login(), Qt::Key_Escape);
        QCOMPARE(m_exits, 2);
        QVERIFY(!app.main().isVisible());

        app.main().show();
        click(app.main(), "cmdEnd");
        QTest::keyClick(&app.main(), Qt::Key_Escape);
        QCOMPARE(m_exits, 4);
        QVERIFY(dialogs.messages.isEmpty());
    }

    void menuOpensItsWindowsModally()
    {
        TestFolder folder;
        FakeDialogs dialogs;
        KorvelAdminApp app;
        app.start();
        auto& main = app.main();
        QString opened;
        // Closes the modal window that the next click opens, once its event loop runs.
        auto closeModal = [&](const char* closeButton) {
            QTimer::singleShot(0, qApp, [&opened, closeButton] {
                QWidget* modal = QApplication::activeModalWidget();
                opened = modal ? modal->objectName() : QStringLiteral("nothing");
                if (modal)
                    click(*modal, closeButton);
            });
        };
        closeModal("cmdClose");
        click(main, "cmdWachtwoord");
        QCOMPARE(opened, QStringLiteral("frmPassChange"));

        closeModal("cmdEnd");
        click(main, "cmdLeerlingen");
        QCOMPARE(opened, QStringLiteral("frmLeerlingen"));
        // The register made a pupil list on the program's database and closed it again.
        QVERIFY(folder.exists(QStringLiteral("leerling.sdb")));
        QVERIFY(!app.db().isOpen());

        closeModal("cmdEnd");
        click(main, "cmdKaarten");
        QCOMPARE(opened, QStringLiteral("frmKaarten"));
        QVERIFY(folder.exists(QStringLiteral("kaarten.sdb")));
        QVERIFY(!app.db().isOpen());

        closeModal("cmdEnd");
        click(main, "cmdResultaat");
        QCOMPARE(opened, QStringLiteral("frmResultaat"));
        QVERIFY(folder.exists(QStringLiteral("toets.res")));

        closeModal("cmdEnd");
        click(main, "Command1");
        QCOMPARE(opened, QStringLiteral("frmKaartenPrint"));
        QVERIFY(main.isVisible());
        QCOMPARE(m_exits, 0);
    }

    void passwordChange()
    {
        TestFolder folder;
        const QByteArray geheim = passwdFor("Geheim");
        folder.write(Passwd, geheim);
        FakeDialogs dialogs;
        const QString title = QStringLiteral("KorvelAdmin");
        korveladmin::frmPassChange window;
        window.show();
        auto change = [&](const QString& current, const QString& fresh, const QString& confirmation) {
            type(window, "Text1", current);
            type(window, "Text2", fresh);
            type(window, "Text3", confirmation);
            click(window, "cmdChange");
        };
        // Every refusal leaves passwd byte for byte and the window open with its texts.
        auto refused = [&](const QString& text) {
            QCOMPARE(dialogs.messages.last().text.left(text.size()), text);
            QCOMPARE(dialogs.messages.last().caption, title);
            QCOMPARE(dialogs.messages.last().icon, MessageIcon::Critical);
            QCOMPARE(folder.read(Passwd), geheim);
            QVERIFY(window.isVisible());
            QVERIFY(!child<QLineEdit>(window, "Text2")->text().isEmpty());
        };

        change(QStringLiteral("geheim"), QStringLiteral("abc"), QStringLiteral("abc"));
        refused(QStringLiteral("Het huidige wachtwoord is niet goed!"));
        change(QStringLiteral("Geheim"), QStringLiteral("abc"), QStringLiteral("abc "));
        refused(QStringLiteral("Het nieuwe wachtwoord komt niet overeen de bevestiging"));
        // Characters that would not come back from passwd.
        for (const QString& unstorable : {QStringLiteral("Łukasz"), QStringLiteral("tab\there"), QStringLiteral("\u00ff")}) {
            change(QStringLiteral("Geheim"), unstorable, unstorable);
            refused(QStringLiteral("Het nieuwe wachtwoord bevat een teken dat niet kan worden opgeslagen."));
        }
        {
            ReadOnlyFolder readOnly(folder.path());
            if (readOnly.ok()) {
                change(QStringLiteral("Geheim"), QStringLiteral("abc"), QStringLiteral("abc"));
                refused(QStringLiteral("Het bestand \"passwd\" kon niet worden opgeslagen. Er is niets veranderd."));
            }
        }

        // Enter is the change button.
        const int shown = dialogs.messages.size();
        type(window, "Text2", QStringLiteral("abc"));
        type(window, "Text3", QStringLiteral("abc"));
        QTest::keyClick(child<QLineEdit>(window, "Text3"), Qt::Key_Return);
        QCOMPARE(dialogs.messages.size(), shown + 1);
        compareMessage(dialogs.messages.last(), QStringLiteral("Het wachtwoord is veranderd"), title,
                       MessageIcon::Information);
        QCOMPARE(folder.read(Passwd), QByteArray("\xb7\xd4\xc8\r\n"));
        QVERIFY(!window.isVisible());
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void emptyNewPasswordRemovesTheLogin()
    {
        TestFolder folder;
        folder.write(Passwd, passwdFor("Geheim"));
        FakeDialogs dialogs;
        korveladmin::frmPassChange window;
        window.show();
        type(window, "Text1", QStringLiteral("Geheim"));
        click(window, "cmdChange");
        QCOMPARE(dialogs.messageTexts(), QStringList{QStringLiteral("Het wachtwoord is veranderd")});
        QCOMPARE(folder.read(Passwd), QByteArray("\r\n"));

        // With the stored line empty, only an empty current password is right.
        korveladmin::frmPassChange again;
        again.show();
        type(again, "Text1", QStringLiteral(" "));
        click(again, "cmdChange");
        QCOMPARE(dialogs.messageTexts().last(), QStringLiteral("Het huidige wachtwoord is niet goed!"));

        // The next start skips the login again.
        dialogs.messages.clear();
        KorvelAdminApp app;
        app.start();
        QCOMPARE(dialogs.messageTexts(), QStringList{NoPassword});
        QVERIFY(app.main().isVisible());
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
