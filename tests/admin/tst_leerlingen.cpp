#include "fakedialogs.h"
#include "frmleerlingen.h"
#include "readonlyfolder.h"
#include "smartbase.h"
#include "testfolder.h"

#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace velmora;
using korveladmin::frmLeerlingen;

namespace {

const QByteArray Header = "Leerlingendatabase\r\n 2 \r\nId\r\n 5 \r\nNaam\r\n 50 \r\n";
const QString Db = QStringLiteral("leerling.sdb");
const QString Missing = QStringLiteral("Database bestaat niet");
const QString Created = QStringLiteral("Er is een nieuwe leerlingendatabase aangemaakt!");

// The register opened on the program's database, shown so that its list can be clicked.
struct Register
{
    SmartBase db{[](const QString& m) { Dialogs::notify(m); }};
    std::unique_ptr<frmLeerlingen> window;

    Register()
        : window(std::make_unique<frmLeerlingen>(db))
    {
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qFatal("register not shown");
    }

    QListWidget* list() const { return window->findChild<QListWidget*>(QStringLiteral("List")); }
    QPushButton* button(const char* name) const
    {
        auto* b = window->findChild<QPushButton*>(QLatin1StringView(name));
        if (!b)
            qFatal("no button %s", name);
        return b;
    }
    void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    void select(int row) const
    {
        QListWidget* l = list();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
    }
    QStringList names() const
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts.append(list()->item(i)->text());
        return texts;
    }
    bool nothingSelected() const { return list()->selectedItems().isEmpty(); }
    bool canChangeAndRemove() const { return button("cmdChange")->isEnabled() && button("cmdRemove")->isEnabled(); }
};

// The input boxes that follow get these answers, in order.
void answer(FakeDialogs& dialogs, const QStringList& answers)
{
    for (const QString& a : answers)
        dialogs.inputAnswers.enqueue(a);
}

} // namespace

class TestLeerlingen : public QObject
{
    Q_OBJECT

    static void compareMessage(const FakeDialogs::Message& m, const QString& text, const QString& caption,
                               MessageIcon icon)
    {
        QCOMPARE(m.text, text);
        QCOMPARE(m.caption, caption);
        QCOMPARE(m.icon, icon);
        QCOMPARE(m.buttons, MessageButtons::Ok);
    }

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("KorvelAdmin")); }

    void newDatabaseWhenNoneIsUsable()
    {
        {
            TestFolder folder;
            FakeDialogs dialogs;
            Register r;
            QCOMPARE(dialogs.messages.size(), 2);
            compareMessage(dialogs.messages[0], Missing, QStringLiteral("KorvelAdmin"), MessageIcon::None);
            compareMessage(dialogs.messages[1], Created, QStringLiteral("Leerlingen toevoegen/wissen."),
                           MessageIcon::Information);
            QCOMPARE(folder.read(Db), Header);
            QCOMPARE(r.list()->count(), 0);
            QVERIFY(r.button("cmdAdd")->isEnabled());
            QVERIFY(!r.button("cmdChange")->isEnabled());
            QVERIFY(!r.button("cmdRemove")->isEnabled());
            QCOMPARE(r.db.DatabaseTitle(), QStringLiteral("Leerlingendatabase"));
        }
        // Another database's file, or an empty one, is replaced without "Database bestaat niet".
        for (const QByteArray& foreign : {QByteArray("Kaarten\r\n 2 \r\nKaartnaam\r\n 30 \r\nKaartbestand\r\n 50 \r\n"
                                                     "Europa                        europa.krt\r\n"),
                                          QByteArray(), QByteArray("leerlingendatabase\r\n 2 \r\n")}) {
            TestFolder folder;
            folder.write(Db, foreign);
            FakeDialogs dialogs;
            Register r;
            QCOMPARE(dialogs.messageTexts(), QStringList{Created});
            QCOMPARE(folder.read(Db), Header);
            QCOMPARE(r.list()->count(), 0);
        }
    }

    void existingDatabaseIsListedInFileOrder()
    {
        TestFolder folder;
        // Named in capitals, as a folder from Windows may have it.
        folder.write(QStringLiteral("LEERLING.SDB"), Header + "     Zo\xeb\r\n     Anna\r\n     Bram\r\n");
        FakeDialogs dialogs;
        Register r;
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(r.names(), (QStringList{QStringLiteral("Zoë"), QStringLiteral("Anna"), QStringLiteral("Bram")}));
        QVERIFY(!folder.exists(Db));
    }

    void spareFileTakesThePlaceOfAMissingDatabase()
    {
        TestFolder folder;
        const QByteArray spare = Header + "     Anna\r\n";
        folder.write(QStringLiteral("leerling.sd_"), spare);
        FakeDialogs dialogs;
        Register r;
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(folder.read(Db), spare);
        QVERIFY(!folder.exists(QStringLiteral("leerling.sd_")));
        QCOMPARE(r.names(), QStringList{QStringLiteral("Anna")});
    }

    void addRenameRemove()
    {
        TestFolder folder;
        folder.write(Db, Header);
        FakeDialogs dialogs;
        Register r;

        answer(dialogs, {QStringLiteral("Anna")});
        r.click("cmdAdd");
        QCOMPARE(dialogs.inputs.size(), 1);
        QCOMPARE(dialogs.inputs[0].prompt, QStringLiteral("Geef de naam van de leerling:"));
        QCOMPARE(dialogs.inputs[0].title, QStringLiteral("Nieuw toevoegen"));
        QCOMPARE(dialogs.inputs[0].proposed, QString());
        QCOMPARE(folder.read(Db), Header + "     Anna\r\n");
        QCOMPARE(r.names(), QStringList{QStringLiteral("Anna")});

        answer(dialogs, {QStringLiteral("Bram"), QStringLiteral(" Cees van Dijk ")});
        r.click("cmdAdd");
        r.click("cmdAdd");
        const QByteArray three = Header + "     Anna\r\n     Bram\r\n      Cees van Dijk \r\n";
        QCOMPARE(folder.read(Db), three);
        QVERIFY(r.nothingSelected());

        // Selecting enables both buttons; renaming keeps the place.
        QVERIFY(!r.canChangeAndRemove());
        r.select(1);
        QVERIFY(r.canChangeAndRemove());
        answer(dialogs, {QStringLiteral("Bert")});
        r.click("cmdChange");
        QCOMPARE(dialogs.inputs.last().title, QStringLiteral("Wijzigen"));
        QCOMPARE(dialogs.inputs.last().proposed, QStringLiteral("Bram"));
        QCOMPARE(folder.read(Db), Header + "     Anna\r\n     Bert\r\n      Cees van Dijk \r\n");
        QCOMPARE(r.names(), (QStringList{QStringLiteral("Anna"), QStringLiteral("Bert"), QStringLiteral(" Cees van Dijk ")}));
        // The refill selects nothing but leaves the buttons enabled.
        QVERIFY(r.nothingSelected());
        QVERIFY(r.canChangeAndRemove());

        // Removing the second of three, without a question.
        const int inputsBefore = dialogs.inputs.size();
        r.select(1);
        r.click("cmdRemove");
        QCOMPARE(folder.read(Db), Header + "     Anna\r\n      Cees van Dijk \r\n");
        QCOMPARE(r.names(), (QStringList{QStringLiteral("Anna"), QStringLiteral(" Cees van Dijk ")}));
        QVERIFY(r.nothingSelected());
        QVERIFY(r.canChangeAndRemove());

        // Now nothing is selected: "Wissen" and "Wijzigen" address record 0 and change nothing,
        // also when the list has the focus and so a current (unselected) entry.
        QVERIFY(QTest::qWaitForWindowActive(r.window.get()));
        r.list()->setFocus();
        QTRY_VERIFY(r.list()->hasFocus());
        QVERIFY(r.nothingSelected());
        r.click("cmdRemove");
        QCOMPARE(folder.read(Db), Header + "     Anna\r\n      Cees van Dijk \r\n");
        QCOMPARE(dialogs.inputs.size(), inputsBefore);
        answer(dialogs, {QStringLiteral("Dirk")});
        r.click("cmdChange");
        QCOMPARE(dialogs.inputs.last().proposed, QString());
        QCOMPARE(folder.read(Db), Header + "     Anna\r\n      Cees van Dijk \r\n");

        QVERIFY(dialogs.messages.isEmpty());
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void cancelledInputLeavesTheFileUntouched()
    {
        TestFolder folder;
        const QByteArray two = Header + "     Anna\r\n     Bram\r\n";
        folder.write(Db, two);
        const QDateTime old(QDate(2001, 9, 1), QTime(8, 30), Qt::UTC);
        {
            QFile file(folder.file(Db));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
        }
        FakeDialogs dialogs;
        Register r;
        r.click("cmdAdd"); // no answer queued: the box is cancelled
        r.select(0);
        r.click("cmdChange");
        answer(dialogs, {QString()}); // confirmed empty
        r.click("cmdAdd");
        QCOMPARE(dialogs.inputs.size(), 3);
        QCOMPARE(dialogs.inputs[1].proposed, QStringLiteral("Anna"));
        QCOMPARE(folder.read(Db), two);
        QCOMPARE(QFileInfo(folder.file(Db)).lastModified().toUTC(), old);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        QVERIFY(dialogs.messages.isEmpty());
        // The selection made before the cancelled change is still there.
        QCOMPARE(r.list()->selectedItems().size(), 1);
    }

    void pupilsWithTheSameName()
    {
        TestFolder folder;
        // Hand-filled Ids show which record is which; the list shows only the names.
        folder.write(Db, Header + "00001Anna\r\n00002Anna\r\n00003Anna\r\n");
        FakeDialogs dialogs;
        Register r;
        QCOMPARE(r.names(), (QStringList{QStringLiteral("Anna"), QStringLiteral("Anna"), QStringLiteral("Anna")}));
        r.select(1);
        r.click("cmdRemove");
        QCOMPARE(folder.read(Db), Header + "00001Anna\r\n00003Anna\r\n");
        r.select(1);
        answer(dialogs, {QStringLiteral("Anne")});
        r.click("cmdChange");
        QCOMPARE(folder.read(Db), Header + "00001Anna\r\n     Anne\r\n");
        // The same name added twice is two records.
        answer(dialogs, {QStringLiteral("Anna"), QStringLiteral("Anna")});
        r.click("cmdAdd");
        r.click("cmdAdd");
        QCOMPARE(folder.read(Db), Header + "00001Anna\r\n     Anne\r\n     Anna\r\n     Anna\r\n");
        QCOMPARE(r.list()->count(), 4);
    }

    void longNameStoredWholeListedAsFifty()
    {
        TestFolder folder;
        folder.write(Db, Header);
        FakeDialogs dialogs;
        Register r;
        const QString sixty = QStringLiteral("Maximiliaan Alexander Theodoor van de Rijckevorsel-Oudenhove");
        QCOMPARE(sixty.size(), 60);
        answer(dialogs, {sixty});
        r.click("cmdAdd");
        QCOMPARE(folder.read(Db), Header + "     " + sixty.toLatin1() + "\r\n");
        QCOMPARE(r.names(), QStringList{sixty.left(50)});
        // Renaming proposes the listed fifty characters.
        r.select(0);
        r.click("cmdChange");
        QCOMPARE(dialogs.inputs.last().proposed, sixty.left(50));
    }

    void namesThatCannotBeStoredAreRefused()
    {
        TestFolder folder;
        const QByteArray one = Header + "     Anna\r\n";
        folder.write(Db, one);
        FakeDialogs dialogs;
        Register r;
        answer(dialogs, {QStringLiteral("Łukasz"), QStringLiteral("Anna\r\nBram"), QStringLiteral("Zoë 😀")});
        r.click("cmdAdd");
        r.click("cmdAdd");
        r.select(0);
        r.click("cmdChange");
        QCOMPARE(dialogs.messages.size(), 3);
        QVERIFY(dialogs.messages[0].text.startsWith(QStringLiteral("De naam \"Łukasz\" bevat een teken dat niet")));
        for (const auto& m : dialogs.messages) {
            QVERIFY(m.text.endsWith(QStringLiteral("Er is niets veranderd.")));
            QCOMPARE(m.icon, MessageIcon::Critical);
        }
        QCOMPARE(folder.read(Db), one);
        // Letters of the code page are fine.
        answer(dialogs, {QStringLiteral("Zoë Müller-Çelik")});
        r.click("cmdAdd");
        QCOMPARE(folder.read(Db), one + "     Zo\xeb M\xfcller-\xc7" "elik\r\n");
        QCOMPARE(r.names().last(), QStringLiteral("Zoë Müller-Çelik"));
    }

    void failedRewriteLeavesTheFileAndSaysSo()
    {
        TestFolder folder;
        const QByteArray two = Header + "     Anna\r\n     Bram\r\n";
        folder.write(Db, two);
        FakeDialogs dialogs;
        Register r;
        ReadOnlyFolder readOnly(folder.path());
        if (!readOnly.ok())
            QSKIP("this file system cannot make a folder read-only");
        answer(dialogs, {QStringLiteral("Cees"), QStringLiteral("Bert")});
        r.click("cmdAdd");
        r.select(1);
        r.click("cmdChange");
        r.select(0);
        r.click("cmdRemove");
        QCOMPARE(dialogs.messages.size(), 3);
        for (const auto& m : dialogs.messages) {
            QVERIFY2(m.text.startsWith(QStringLiteral("Het bestand \"leerling.sdb\" kon niet worden opgeslagen. "
                                                      "Er is niets veranderd.")),
                     qPrintable(m.text));
            QCOMPARE(m.icon, MessageIcon::Critical);
        }
        QCOMPARE(folder.read(Db), two);
        QCOMPARE(r.names(), (QStringList{QStringLiteral("Anna"), QStringLiteral("Bram")}));
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void unwritableFolderWithoutDatabase()
    {
        TestFolder folder;
        FakeDialogs dialogs;
        std::unique_ptr<Register> r;
        {
            ReadOnlyFolder readOnly(folder.path());
            if (!readOnly.ok())
                QSKIP("this file system cannot make a folder read-only");
            r = std::make_unique<Register>();
        }
        QCOMPARE(dialogs.messages.size(), 2);
        QCOMPARE(dialogs.messages[0].text, Missing);
        QVERIFY(dialogs.messages[1].text.startsWith(QStringLiteral("Het bestand \"leerling.sdb\" kon niet worden opgeslagen.")));
        QVERIFY(!r->button("cmdAdd")->isEnabled());
        QVERIFY(!r->db.isOpen());
        // Closing says nothing about a database that was never open.
        r->click("cmdEnd");
        QCOMPARE(dialogs.messages.size(), 2);
        QVERIFY(!folder.exists(Db));
    }

    void closingClosesTheDatabase()
    {
        TestFolder folder;
        folder.write(Db, Header);
        FakeDialogs dialogs;
        for (const auto& close : std::initializer_list<std::function<void(Register&)>>{
                 [](Register& r) { r.click("cmdEnd"); },
                 [](Register& r) { QTest::keyClick(r.window.get(), Qt::Key_Escape); },
                 [](Register& r) { r.window->close(); }}) {
            Register r;
            QVERIFY(r.db.isOpen());
            close(r);
            QVERIFY(!r.window->isVisible());
            QVERIFY(!r.db.isOpen());
        }
        QVERIFY(dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(TestLeerlingen)
#include "tst_leerlingen.moc"
