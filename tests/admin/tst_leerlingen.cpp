#include "fakedialogs.h"
#include "frmleerlingen.h"
#include "registerfiles.h"
#include "smartbase.h"
#include "testfolder.h"
#include "windowdriver.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
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
    std::unique_ptr<frmLeerlingen> window;

    Register() : window(std::make_unique<frmLeerlingen>(db))
    {
        if (!drive::show(*window))
            qFatal("register not shown");
    }

    QListWidget* list() const { return drive::child<QListWidget>(*window, "List"); }
    void click(const char* name) const { drive::click(*window, name); }
    void select(int row) const { drive::selectRow(list(), row); }
    QStringList names() const
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts.append(list()->item(i)->text());
        return texts;
    }
    // Nothing selected, and so the buttons that need a selection are off.
    bool nothingSelected() const
    {
        return list()->selectedItems().isEmpty() && !drive::child(*window, "cmdChange")->isEnabled() &&
               !drive::child(*window, "cmdRemove")->isEnabled();
    }
};

// Another teacher's change made while this one's input box is open; and whether
// the busy pointer was still shown over a message.
struct DialogsWithInterruption : FakeDialogs
{
    std::function<void()> duringInput;
    bool busyOverMessage = false;
    MessageAnswer message(const QString& text, const QString& caption, MessageIcon icon,
                          MessageButtons buttons) override
    {
        busyOverMessage |= QGuiApplication::overrideCursor() != nullptr;
        return FakeDialogs::message(text, caption, icon, buttons);
    }
    QString input(const QString& prompt, const QString& title, const QString& proposed) override
    {
        if (duringInput)
            std::exchange(duringInput, {})();
        return FakeDialogs::input(prompt, title, proposed);
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
        const QList<std::function<void(Register&)>> closings = {
            [](Register& r) { r.click("cmdEnd"); },
            [](Register& r) { QTest::keyClick(r.window.get(), Qt::Key_Escape); },
            [](Register& r) { r.window->close(); }};
        const QList<QByteArray> before = {"<missing>", registerfiles::maps({{"Europa", "europa.krt"}}),
                                          QByteArray()};
        for (int i = 0; i < before.size(); ++i) {
            TestFolder folder;
            if (i > 0)
                folder.write(Db, before[i]);
            FakeDialogs dialogs;
            Register r;
            QCOMPARE(dialogs.messageTexts().last(),
                     QStringLiteral("Er is een nieuwe leerlingendatabase aangemaakt!"));
            QCOMPARE(dialogs.messages.last().icon, MessageIcon::Information);
            QCOMPARE(folder.read(Db), PupilHeader);
            QCOMPARE(r.list()->count(), 0);
            QVERIFY(drive::child(*r.window, "cmdAdd")->isEnabled());
            QVERIFY(r.nothingSelected());
            QVERIFY(r.db.isOpen());
            closings[i](r);
            QVERIFY(!r.window->isVisible());
            QVERIFY(!r.db.isOpen());
        }

        // A folder in the register's place: none can be made, so nothing can be added.
        TestFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(Db));
        FakeDialogs dialogs;
        Register r;
        QCOMPARE(dialogs.messages.last().icon, MessageIcon::Critical);
        QVERIFY(!drive::child(*r.window, "cmdAdd")->isEnabled());
        QVERIFY(!r.db.isOpen());
    }

    void addRenameRemove()
    {
        TestFolder folder;
        folder.write(Db, pupils({"Zo\xeb"}));
        FakeDialogs dialogs;
        Register r;
        QCOMPARE(r.names(), QStringList{QStringLiteral("Zoë")});

        dialogs.inputAnswers.append({QStringLiteral("Anna"), QStringLiteral("Bram")});
        r.click("cmdAdd");
        QCOMPARE(folder.read(Db), pupils({"Zo\xeb", "Anna"}));
        r.click("cmdAdd");
        QCOMPARE(r.names(),
                 (QStringList{QStringLiteral("Zoë"), QStringLiteral("Anna"), QStringLiteral("Bram")}));
        QVERIFY(r.nothingSelected());

        // Renaming keeps the place and the blanks; the refill selects nothing, so the buttons go off.
        r.select(1);
        QVERIFY(!r.nothingSelected());
        dialogs.inputAnswers.enqueue(QStringLiteral(" Cees van Dijk "));
        r.click("cmdChange");
        QCOMPARE(dialogs.inputs.last().proposed, QStringLiteral("Anna"));
        QCOMPARE(folder.read(Db), pupils({"Zo\xeb", " Cees van Dijk ", "Bram"}));
        QVERIFY(r.nothingSelected());

        // Removing the second of three, without a question.
        r.select(1);
        r.click("cmdRemove");
        const QByteArray two = pupils({"Zo\xeb", "Bram"});
        QCOMPARE(folder.read(Db), two);
        QVERIFY(r.nothingSelected());

        // Also with the focus in the list, and so a current entry, nothing is selected: the
        // buttons stay off and a click on them does nothing.
        QVERIFY(QTest::qWaitForWindowActive(r.window.get()));
        r.list()->setFocus();
        QTRY_VERIFY(r.list()->hasFocus());
        QVERIFY(r.nothingSelected());
        r.click("cmdRemove");
        r.click("cmdChange");
        QCOMPARE(dialogs.inputs.size(), 3);
        QCOMPARE(folder.read(Db), two);
        QVERIFY(dialogs.messages.isEmpty());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void cancelledOrRefusedNamesLeaveTheFileUntouched()
    {
        TestFolder folder;
        const QByteArray two = pupils({"Anna", "Bram"});
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
        QCOMPARE(r.list()->selectedItems().size(), 1);
        // Confirmed empty says nothing; blanks only would be a pupil without a name.
        // A cell pasted from a spreadsheet ends in a line break, which would break the file.
        dialogs.inputAnswers.append(
            {QString(), QStringLiteral("   "), QStringLiteral(" "), QStringLiteral("Cas\r\n")});
        r.click("cmdAdd");
        r.click("cmdAdd");
        r.click("cmdChange");
        r.click("cmdChange");
        QCOMPARE(dialogs.inputs.size(), 6);
        QCOMPARE(folder.read(Db), two);
        QCOMPARE(QFileInfo(folder.file(Db)).lastModified().toUTC(), old);
        QCOMPARE(
            dialogs.messageTexts().mid(0, 2),
            QStringList(2, QStringLiteral("De naam bestaat alleen uit spaties. Er is niets veranderd.")));
        QVERIFY(
            dialogs.messageTexts().value(2).startsWith(QStringLiteral("De naam bevat een regelovergang")));
        // Letters of the code page are fine.
        dialogs.inputAnswers.enqueue(QStringLiteral("Zoë Müller-Çelik"));
        r.click("cmdAdd");
        QCOMPARE(folder.read(Db), two + "     Zo\xeb M\xfcller-\xc7"
                                        "elik\r\n");
    }

    void changedByAnotherTeacherMeanwhile()
    {
        TestFolder folder;
        folder.write(Db, pupils({"Anna", "Bram", "Daan", "Fleur"}));
        DialogsWithInterruption dialogs;
        Register r;
        const QStringList shown = r.names();
        // Each time the list is refreshed, says why, and nothing is selected any more.
        auto refusedAndRefreshed = [&](const QByteArray& file, const QStringList& names) {
            QCOMPARE(folder.read(Db), file);
            QCOMPARE(
                dialogs.messageTexts(),
                QStringList{QStringLiteral("De lijst in \"leerling.sdb\" is intussen door iemand anders "
                                           "gewijzigd. Er is niets veranderd. Kijk in de bijgewerkte lijst "
                                           "en probeer het opnieuw.")});
            dialogs.messages.clear();
            QCOMPARE(r.names(), names);
            QVERIFY(r.nothingSelected());
            QVERIFY(!dialogs.busyOverMessage);
            QVERIFY(!QGuiApplication::overrideCursor());
        };

        // The other teacher removes Anna; this one still sees her and removes Daan: not Fleur.
        const QByteArray withoutAnna = pupils({"Bram", "Daan", "Fleur"});
        folder.write(Db, withoutAnna);
        QCOMPARE(r.names(), shown);
        r.select(2);
        r.click("cmdRemove");
        refusedAndRefreshed(withoutAnna,
                            {QStringLiteral("Bram"), QStringLiteral("Daan"), QStringLiteral("Fleur")});

        // Renaming Fleur while the other removes Daan during the input box.
        const QByteArray withoutDaan = pupils({"Bram", "Fleur"});
        r.select(2);
        dialogs.duringInput = [&] { folder.write(Db, withoutDaan); };
        dialogs.inputAnswers.enqueue(QStringLiteral("Floor"));
        r.click("cmdChange");
        QCOMPARE(dialogs.inputs.size(), 1);
        refusedAndRefreshed(withoutDaan, {QStringLiteral("Bram"), QStringLiteral("Fleur")});
    }

    void pupilsWithTheSameNameAndALongName()
    {
        TestFolder folder;
        // Hand-filled Ids show which record is which; the list shows only the names.
        folder.write(Db, PupilHeader + "00001Anna\r\n00002Anna\r\n00003Anna\r\n");
        FakeDialogs dialogs;
        Register r;
        r.select(1);
        r.click("cmdRemove");
        QCOMPARE(folder.read(Db), PupilHeader + "00001Anna\r\n00003Anna\r\n");

        // Sixty characters are stored whole, listed (and proposed for renaming) as fifty.
        const QString sixty = QStringLiteral("Maximiliaan Alexander Theodoor van de Rijckevorsel-Oudenhove");
        dialogs.inputAnswers.append({sixty});
        r.click("cmdAdd");
        QCOMPARE(folder.read(Db),
                 PupilHeader + "00001Anna\r\n00003Anna\r\n     " + sixty.toLatin1() + "\r\n");
        QCOMPARE(r.names().value(2), sixty.left(50));
        r.select(2);
        r.click("cmdChange");
        QCOMPARE(dialogs.inputs.last().proposed, sixty.left(50));
    }
};

QTEST_MAIN(TestLeerlingen)
#include "tst_leerlingen.moc"
