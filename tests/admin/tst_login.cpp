#include "fakedialogs.h"
#include "frmkaarten.h"
#include "frmleerlingen.h"
#include "frmlogin.h"
#include "frmmain.h"
#include "frmpasschange.h"
#include "korveladminapp.h"
#include "passwordfile.h"
#include "programexit.h"
#include "smartbase.h"
#include "testfolder.h"

#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
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

template <typename T = QPushButton> T* child(QWidget& window, const char* name)
{
    return window.findChild<T*>(QLatin1StringView(name));
}

// Clicks where the teacher sees the button: what lies at its centre must be the button itself.
void click(QWidget& window, const char* button)
{
    QPushButton* target = child(window, button);
    const QPoint centre = target->mapTo(&window, target->rect().center());
    QWidget* hit = window.childAt(centre);
    QCOMPARE(hit, target);
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(&window, centre));
}

void type(QWidget& window, const char* box, const QString& text)
{
    child<QLineEdit>(window, box)->setText(text);
}

void paste(QWidget& window, const char* box, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    auto* edit = child<QLineEdit>(window, box);
    edit->clear();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

void selectFirst(QWidget& window)
{
    auto* list = window.findChild<QListWidget*>(QStringLiteral("List"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
}

void show(QWidget& window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

void compareMessage(const FakeDialogs::Message& m, const QString& text, const QString& caption,
                    MessageIcon icon)
{
    QCOMPARE(m.text, text);
    QCOMPARE(m.caption, caption);
    QCOMPARE(m.icon, icon);
    QCOMPARE(m.buttons, MessageButtons::Ok);
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
            QCOMPARE(dialogs.messages.size(), 1);
            compareMessage(dialogs.messages[0], NoPassword, QStringLiteral("Wachtwoord"),
                           MessageIcon::Information);
            QVERIFY(app.main().isVisible());
            // Never shown: a window gets its native handle when first shown.
            QVERIFY(!app.login().windowHandle());
            // The close box only closes the menu (the program then ends as its last window closed).
            QVERIFY(app.main().close());
            QCOMPARE(m_exits, 0);
        }
    }

    // A passwd that is there but cannot be used never counts as "no password".
    void unusablePasswordFileEndsTheProgram_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("says");
        const QString notAFile = QStringLiteral("\"passwd\" is geen gewoon bestand");
        QTest::newRow("unreadable") << QStringLiteral("unreadable")
                                    << QStringLiteral("Het bestand \"passwd\" kan niet worden gelezen.");
        QTest::newRow("a folder") << QStringLiteral("folder") << notAFile;
        QTest::newRow("a FIFO") << QStringLiteral("fifo") << notAFile;
    }

    void unusablePasswordFileEndsTheProgram()
    {
        QFETCH(QString, kind);
        QFETCH(QString, says);
        TestFolder folder;
        const QByteArray path = QFile::encodeName(folder.file(Passwd));
        if (kind == u"folder")
            QVERIFY(QDir(folder.path()).mkdir(Passwd));
        else if (kind == u"fifo")
            QCOMPARE(::mkfifo(path.constData(), 0666), 0);
        else
            folder.write(Passwd, passwdFor("Geheim"));
        std::optional<AsOrdinaryUser> user;
        if (kind == u"unreadable") {
            QCOMPARE(::chmod(path.constData(), 0), 0);
            user.emplace(folder.path());
            QFile file(folder.file(Passwd));
            if (file.open(QIODevice::ReadOnly))
                QSKIP("this user can read any file");
        }
        FakeDialogs dialogs;
        KorvelAdminApp app;
        app.start();
        QCOMPARE(m_exits, 1);
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages[0].text.startsWith(says), qPrintable(dialogs.messages[0].text));
        QVERIFY(dialogs.messages[0].text.endsWith(QStringLiteral("Het programma wordt nu afgesloten.")));
        QCOMPARE(dialogs.messages[0].icon, MessageIcon::Critical);
        QVERIFY(!app.main().isVisible());
        QVERIFY(!app.login().isVisible());
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
        QVERIFY(QTest::qWaitForWindowActive(&login));
        auto* text1 = child<QLineEdit>(login, "Text1");

        // Case and blanks count; every wrong try leaves the whole text selected.
        const QStringList wrong{QStringLiteral("geheim"), QStringLiteral("Geheim "),
                                QStringLiteral(" Geheim"), QStringLiteral("Gehei"), QString()};
        for (const QString& attempt : wrong) {
            type(login, "Text1", attempt);
            click(login, "cmdLogin");
            compareMessage(dialogs.messages.last(), QStringLiteral("Wachtwoord incorrect!"),
                           QStringLiteral("Wachtwoord"), MessageIcon::Critical);
            QCOMPARE(text1->selectedText(), attempt);
            QVERIFY(text1->hasFocus());
            QVERIFY(login.isVisible() && !app.main().isVisible());
        }
        QCOMPARE(dialogs.messages.size(), wrong.size());

        // "Annuleren" and Escape end the program.
        click(login, "cmdClose");
        QTest::keyClick(&login, Qt::Key_Escape);
        QCOMPARE(m_exits, 2);

        // The file is read at every try, and typing after a wrong try replaces the text.
        folder.write(Passwd, passwdFor("Nieuw"));
        type(login, "Text1", QStringLiteral("Geheim"));
        click(login, "cmdLogin");
        QTest::keyClicks(text1, QStringLiteral("Nieuw"));
        QCOMPARE(text1->text(), QStringLiteral("Nieuw"));

        // Enter is the login button; the right password opens the menu and closes the login.
        QTest::keyClick(text1, Qt::Key_Return);
        QCOMPARE(dialogs.messages.size(), wrong.size() + 1);
        QVERIFY(app.main().isVisible());
        QVERIFY(!login.isVisible());
        // So do the menu's "Afsluiten" and Escape.
        click(app.main(), "cmdEnd");
        QTest::keyClick(&app.main(), Qt::Key_Escape);
        QCOMPARE(m_exits, 4);
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
                    click(*modal, closeButton);
            });
            click(app.main(), button);
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
        const QString title = QStringLiteral("KorvelAdmin");
        auto window = std::make_unique<korveladmin::frmPassChange>();
        window->show();
        auto change = [&](const QString& current, const QString& fresh, const QString& confirmation) {
            type(*window, "Text1", current);
            type(*window, "Text2", fresh);
            type(*window, "Text3", confirmation);
            click(*window, "cmdChange");
        };
        // Every refusal leaves passwd byte for byte and the window open with its texts.
        auto refused = [&](const QString& text) {
            QCOMPARE(dialogs.messages.last().text.left(text.size()), text);
            QCOMPARE(dialogs.messages.last().caption, title);
            QCOMPARE(dialogs.messages.last().icon, MessageIcon::Critical);
            QCOMPARE(folder.read(Passwd), geheim);
            QVERIFY(window->isVisible());
            QVERIFY(!child<QLineEdit>(*window, "Text2")->text().isEmpty());
        };
        change(QStringLiteral("geheim"), QStringLiteral("abc"), QStringLiteral("abc"));
        refused(QStringLiteral("Het huidige wachtwoord is niet goed!"));
        change(QStringLiteral("Geheim"), QStringLiteral("abc"), QStringLiteral("abc "));
        refused(QStringLiteral("Het nieuwe wachtwoord komt niet overeen de bevestiging"));
        // Past the check for all typed text, only code 255 cannot be enciphered and read back.
        change(QStringLiteral("Geheim"), QStringLiteral("ÿ"), QStringLiteral("ÿ"));
        refused(QStringLiteral("Het nieuwe wachtwoord bevat het teken \"ÿ\", dat in een wachtwoord niet kan "
                               "worden opgeslagen. Het wachtwoord is niet veranderd."));

        // Enter is the change button.
        const int shown = dialogs.messages.size();
        type(*window, "Text2", QStringLiteral("abc"));
        type(*window, "Text3", QStringLiteral("abc"));
        QTest::keyClick(child<QLineEdit>(*window, "Text3"), Qt::Key_Return);
        QCOMPARE(dialogs.messages.size(), shown + 1);
        compareMessage(dialogs.messages.last(), QStringLiteral("Het wachtwoord is veranderd"), title,
                       MessageIcon::Information);
        QCOMPARE(folder.read(Passwd), QByteArray("\xb7\xd4\xc8\r\n"));
        QVERIFY(!window->isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());

        // An empty new password is accepted; then only an empty current password is right.
        window = std::make_unique<korveladmin::frmPassChange>();
        window->show();
        change(QStringLiteral("abc"), QString(), QString());
        QCOMPARE(dialogs.messages.last().text, QStringLiteral("Het wachtwoord is veranderd"));
        QCOMPARE(folder.read(Passwd), QByteArray("\r\n"));
        window = std::make_unique<korveladmin::frmPassChange>();
        window->show();
        change(QStringLiteral(" "), QString(), QString());
        QCOMPARE(dialogs.messages.last().text, QStringLiteral("Het huidige wachtwoord is niet goed!"));

        // The next start skips the login.
        dialogs.messages.clear();
        KorvelAdminApp app;
        app.start();
        QCOMPARE(dialogs.messageTexts(), QStringList{NoPassword});
        QVERIFY(app.main().isVisible());
    }

    // Every box where a teacher types or pastes text that goes into a data file.
    void typedTextThatWouldBreakAFileIsRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("why");
        const QString lineBreak = QStringLiteral("bevat een regelovergang (Enter).");
        QTest::newRow("a spreadsheet cell") << QStringLiteral("Wereld\r\n") << lineBreak;
        QTest::newRow("line break inside") << QStringLiteral("Anna\nBram") << lineBreak;
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
        const QList<std::pair<QString, QByteArray>> files = {
            {QStringLiteral("leerling.sdb"),
             "Leerlingendatabase\r\n 2 \r\nId\r\n 5 \r\nNaam\r\n 50 \r\n     Anna\r\n"},
            {QStringLiteral("kaarten.sdb"), "Kaarten\r\n 2 \r\nKaartnaam\r\n 30 \r\nKaartbestand\r\n 50 \r\n"
                                            "Europa                        europa.krt\r\n"},
            {QStringLiteral("europa.krt"), "europa.bmp\r\n"},
            {QStringLiteral("europa.bmp"), "BM"},
            {Passwd, passwdFor("Geheim")}};
        for (const auto& [name, bytes] : files)
            folder.write(name, bytes);
        FakeDialogs dialogs;
        SmartBase db([](const QString& m) { Dialogs::notify(m); });
        {
            korveladmin::frmLeerlingen pupils(db);
            show(pupils);
            dialogs.inputAnswers.append({text, text});
            click(pupils, "cmdAdd");
            selectFirst(pupils);
            click(pupils, "cmdChange");
        }
        {
            korveladmin::frmKaarten maps(db);
            show(maps);
            dialogs.openFileAnswers.enqueue(folder.file(QStringLiteral("europa.krt")));
            dialogs.inputAnswers.append({text, text});
            click(maps, "cmdAdd");
            selectFirst(maps);
            click(maps, "cmdChange");
        }
        QCOMPARE(dialogs.inputs.size(), 4);
        korveladmin::frmPassChange password;
        show(password);
        type(password, "Text1", QStringLiteral("Geheim"));
        paste(password, "Text2", text);
        paste(password, "Text3", text);
        QCOMPARE(child<QLineEdit>(password, "Text3")->text(), text);
        click(password, "cmdChange");

        QCOMPARE(dialogs.messages.size(), 5);
        for (qsizetype i = 0; i < dialogs.messages.size(); ++i) {
            const QString& message = dialogs.messages[i].text;
            const QString subject =
                i < 4 ? QStringLiteral("De naam ") : QStringLiteral("Het nieuwe wachtwoord ");
            QVERIFY2(message.startsWith(subject) && message.contains(why), qPrintable(message));
            QCOMPARE(dialogs.messages[i].icon, MessageIcon::Critical);
        }
        for (const auto& [name, bytes] : files)
            QCOMPARE(folder.read(name), bytes);
        QVERIFY(password.isVisible());
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
