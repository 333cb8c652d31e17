#include "fakedialogs.h"
#include "frmleerlingen.h"
#include "registerfiles.h"
#include "smartbase.h"
#include "testfolder.h"
#include "windowdriver.h"

#include <QDir>
#include <QListWidget>
#include <QtTest>

#include <memory>

using namespace velmora;
using korveladmin::frmLeerlingen;
using registerfiles::PupilHeader;
using registerfiles::pupils;

namespace {

const QString Db = QStringLiteral("leerling.sdb");

// The register opened on the program's database, shown so that its list can be clicked.
struct Register
{
    SmartBase db{[](const QString& m) { Dialogs::notify(m); }};
    frmLeerlingen window{db};

    Register()
    {
        if (!drive::show(window))
            qFatal("register not shown");
    }

    QListWidget* list() const { return drive::child<QListWidget>(window, "List"); }
    void click(const char* name) const { drive::click(window, name); }
    void select(int row) const { drive::selectRow(list(), row); }
    // Nothing selected, and so the buttons that need a selection are off.
    bool nothingSelected() const
    {
        return list()->selectedItems().isEmpty() && !drive::child(window, "cmdChange")->isEnabled() &&
               !drive::child(window, "cmdRemove")->isEnabled();
    }
};

// Whether the busy pointer was still shown over a message.
struct DialogsWatchingThePointer : FakeDialogs
{
    bool busyOverMessage = false;
    MessageAnswer message(const QString& text, const QString& caption, MessageIcon icon,
                          MessageButtons buttons) override
    {
        busyOverMessage |= QGuiApplication::overrideCursor() != nullptr;
        return FakeDialogs::message(text, caption, icon, buttons);
    }
};

} // namespace

class TestLeerlingen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("KorvelAdmin")); }

    void newDatabaseWhenNoneIsUsableAndClosingClosesIt()
    {
        // Missing, or another database's file: each closed another way, and every way closes the database.
        for (const QByteArray& before :
             {QByteArray("<missing>"), registerfiles::maps({{"Europa", "europa.krt"}})}) {
            TestFolder folder;
            if (before != "<missing>")
                folder.write(Db, before);
            FakeDialogs dialogs;
            Register r;
            QCOMPARE(dialogs.messageTexts().last(),
                     QStringLiteral("Er is een nieuwe leerlingendatabase aangemaakt!"));
            QCOMPARE(folder.read(Db), PupilHeader);
            QVERIFY(r.nothingSelected());
            if (before == "<missing>")
                r.click("cmdEnd");
            else
                QTest::keyClick(&r.window, Qt::Key_Escape);
            QVERIFY(!r.window.isVisible());
            QVERIFY(!r.db.isOpen());
        }

        // A folder in the register's place: none can be made, so nothing can be added.
        TestFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(Db));
        FakeDialogs dialogs;
        Register r;
        QCOMPARE(dialogs.messages.last().icon, MessageIcon::Critical);
        QVERIFY(!drive::child(r.window, "cmdAdd")->isEnabled());
        QVERIFY(!r.db.isOpen());
    }

    void addRenameRemove()
    {
        TestFolder folder;
        // Hand-filled Ids show which record is which; the list shows only the names.
        const QByteArray annas = PupilHeader + "00001Anna\r\n00002Anna\r\n";
        folder.write(Db, annas);
        FakeDialogs dialogs;
        Register r;
        QCOMPARE(r.list()->item(1)->text(), QStringLiteral("Anna"));
        // Letters of the code page are fine.
        dialogs.inputAnswers.enqueue(QStringLiteral("Zoë Müller-Çelik"));
        r.click("cmdAdd");
        QCOMPARE(folder.read(Db), annas + "     Zo\xeb M\xfcller-\xc7"
                                          "elik\r\n");

        // Renaming keeps the place and the blanks; the refill selects nothing, so the buttons go off.
        r.select(2);
        QVERIFY(!r.nothingSelected());
        dialogs.inputAnswers.enqueue(QStringLiteral(" Cees van Dijk "));
        r.click("cmdChange");
        QCOMPARE(dialogs.inputs.last().proposed, QStringLiteral("Zoë Müller-Çelik"));
        QCOMPARE(folder.read(Db), annas + "      Cees van Dijk \r\n");
        QVERIFY(r.nothingSelected());

        // Removing the second Anna, without a question.
        r.select(1);
        r.click("cmdRemove");
        QCOMPARE(folder.read(Db), PupilHeader + "00001Anna\r\n      Cees van Dijk \r\n");
        QVERIFY(r.nothingSelected());
        QVERIFY(dialogs.messages.isEmpty());
    }

    void cancelledOrRefusedNamesLeaveTheFileUntouched()
    {
        TestFolder folder;
        const QByteArray two = pupils({"Anna", "Bram"});
        folder.write(Db, two);
        FakeDialogs dialogs;
        Register r;
        r.click("cmdAdd"); // no answer queued: the box is cancelled
        // Confirmed empty says nothing; blanks only would be a pupil without a name.
        // A cell pasted from a spreadsheet ends in a line break, which would break the file.
        dialogs.inputAnswers.append({QString(), QStringLiteral("   "), QStringLiteral("Cas\r\n")});
        r.click("cmdAdd");
        r.click("cmdAdd");
        r.select(0);
        r.click("cmdChange");
        QCOMPARE(dialogs.inputs.size(), 4);
        QCOMPARE(folder.read(Db), two);
        QCOMPARE(dialogs.messageTexts().value(0),
                 QStringLiteral("De naam bestaat alleen uit spaties. Er is niets veranderd."));
        QVERIFY(
            dialogs.messageTexts().value(1).startsWith(QStringLiteral("De naam bevat een regelovergang")));
    }

    void changedByAnotherTeacherMeanwhile()
    {
        TestFolder folder;
        folder.write(Db, pupils({"Anna", "Bram", "Daan", "Fleur"}));
        DialogsWatchingThePointer dialogs;
        Register r;
        // The other teacher removes Anna; this one still sees her and removes Daan: not Fleur.
        const QByteArray withoutAnna = pupils({"Bram", "Daan", "Fleur"});
        folder.write(Db, withoutAnna);
        r.select(2);
        r.click("cmdRemove");
        QCOMPARE(folder.read(Db), withoutAnna);
        // The list is refreshed, says why, and nothing is selected any more.
        QCOMPARE(dialogs.messageTexts(),
                 QStringList{QStringLiteral("De lijst in \"leerling.sdb\" is intussen door iemand anders "
                                            "gewijzigd. Er is niets veranderd. Kijk in de bijgewerkte lijst "
                                            "en probeer het opnieuw.")});
        QCOMPARE(r.list()->count(), 3);
        QVERIFY(r.nothingSelected());
        QVERIFY(!dialogs.busyOverMessage);
    }
};

QTEST_MAIN(TestLeerlingen)
#include "tst_leerlingen.moc"
