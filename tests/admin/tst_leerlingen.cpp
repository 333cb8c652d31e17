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
const QString Created = QStringLiteral("Er is een nieuwe leerlingendatabase aangemaakt!");

// The register opened on the program's database, shown so that its list can be clicked.
struct Register
{
    SmartBase db{[](const QString& m) { Dialogs::notify(m); }};
    std::unique_ptr<frmLeerlingen> window;

    Register() : window(std::make_unique<frmLeerlingen>(db))
    {
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qFatal("register not shown");
    }

    QListWidget* list() const { return window->findChild<QListWidget*>(QStringLiteral("List")); }
    QPushButton* button(const char* name) const
    {
        return window->findChild<QPushButton*>(QLatin1StringView(name));
    }
    // Clicks where the teacher sees the button: what lies at its centre must be the button itself.
    void click(const char* name) const
    {
        QPushButton* target = button(name);
        const QPoint centre = target->mapTo(window.get(), target->rect().center());
        QWidget* hit = window->childAt(centre);
        QCOMPARE(hit, target);
        QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(window.get(), centre));
    }
    void select(int row) const
    {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(list()->item(row)).center());
    }
    QStringList names() const
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts.append(list()->item(i)->text());
        return texts;
    }
    bool nothingSelected() const { return list()->selectedItems().isEmpty(); }
    bool canChangeAndRemove() const
    {
        return button("cmdChange")->isEnabled() && button("cmdRemove")->isEnabled();
    }
};

// Another teacher's change made while this one's input box is open.
struct DialogsWithInterruption : FakeDialogs
{
    std::function<void()> duringInput;
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
        // Missing; another database's file; an empty one; a lower-case title. Each is closed
        // another way, and every way closes the database.
        const QList<std::function<void(Register&)>> closings = {
            [](Register& r) { r.click("cmdEnd"); },
            [](Register& r) { QTest::keyClick(r.window.get(), Qt::Key_Escape); },
            [](Register& r) { r.window->close(); }, [](Register& r) { r.click("cmdEnd"); }};
        const QList<QByteArray> before = {
            "<missing>",
            "Kaarten\r\n 2 \r\nKaartnaam\r\n 30 \r\nKaartbestand\r\n 50 \r\nEuropa   europa.krt\r\n",
            QByteArray(), "leerlingendatabase\r\n 2 \r\n"};
        for (int i = 0; i < before.size(); ++i) {
            TestFolder folder;
            if (i > 0)
                folder.write(Db, before[i]);
            FakeDialogs dialogs;
            Register r;
            // A missing file is first reported by the database layer; a file with content is
            // first kept beside the new one, which is said.
            const QStringList expected =
                i == 0   ? QStringList{QStringLiteral("Database bestaat niet"), Created}
                : i == 2 ? QStringList{Created}
                         : QStringList{QStringLiteral("Het bestand \"leerling.sdb\" was geen lijst "
                                                      "met de titel \"Leerlingendatabase\". Het is "
                                                      "bewaard als \"leerling-oud.sdb\", zodat er "
                                                      "niets verloren gaat."),
                                       Created};
            QCOMPARE(dialogs.messageTexts(), expected);
            QVERIFY(i == 0 || i == 2 || folder.read(QStringLiteral("leerling-oud.sdb")) == before[i]);
            QCOMPARE(dialogs.messages.last().caption, QStringLiteral("Leerlingen toevoegen/wissen."));
            QCOMPARE(dialogs.messages.last().icon, MessageIcon::Information);
            QCOMPARE(folder.read(Db), Header);
            QCOMPARE(r.list()->count(), 0);
            QVERIFY(r.button("cmdAdd")->isEnabled());
            QVERIFY(!r.button("cmdChange")->isEnabled() && !r.button("cmdRemove")->isEnabled());
            QVERIFY(r.db.isOpen());
            closings[i](r);
            QVERIFY(!r.window->isVisible());
            QVERIFY(!r.db.isOpen());
        }
    }

    void spareMovedIntoPlaceThenAddRenameRemove()
    {
        TestFolder folder;
        folder.write(QStringLiteral("leerling.sd_"), Header + "     Zo\xeb\r\n");
        FakeDialogs dialogs;
        Register r;
        QVERIFY(!folder.exists(QStringLiteral("leerling.sd_")));
        QCOMPARE(r.names(), QStringList{QStringLiteral("Zoë")});

        dialogs.inputAnswers.append({QStringLiteral("Anna"), QStringLiteral("Bram")});
        r.click("cmdAdd");
        QCOMPARE(dialogs.inputs[0].prompt, QStringLiteral("Geef de naam van de leerling:"));
        QCOMPARE(dialogs.inputs[0].title, QStringLiteral("Nieuw toevoegen"));
        QCOMPARE(dialogs.inputs[0].proposed, QString());
        QCOMPARE(folder.read(Db), Header + "     Zo\xeb\r\n     Anna\r\n");
        r.click("cmdAdd");
        QCOMPARE(r.names(),
                 (QStringList{QStringLiteral("Zoë"), QStringLiteral("Anna"), QStringLiteral("Bram")}));
        QVERIFY(r.nothingSelected());
        QVERIFY(!r.canChangeAndRemove());

        // Renaming keeps the place and the blanks; the refill selects nothing, so the buttons go off.
        r.select(1);
        QVERIFY(r.canChangeAndRemove());
        dialogs.inputAnswers.enqueue(QStringLiteral(" Cees van Dijk "));
        r.click("cmdChange");
        QCOMPARE(dialogs.inputs.last().title, QStringLiteral("Wijzigen"));
        QCOMPARE(dialogs.inputs.last().proposed, QStringLiteral("Anna"));
        QCOMPARE(folder.read(Db), Header + "     Zo\xeb\r\n      Cees van Dijk \r\n     Bram\r\n");
        QVERIFY(r.nothingSelected());
        QVERIFY(!r.canChangeAndRemove());

        // Removing the second of three, without a question.
        r.select(1);
        r.click("cmdRemove");
        const QByteArray two = Header + "     Zo\xeb\r\n     Bram\r\n";
        QCOMPARE(folder.read(Db), two);
        QVERIFY(r.nothingSelected());
        QVERIFY(!r.canChangeAndRemove());

        // Also with the focus in the list, and so a current entry, nothing is selected: the
        // buttons stay off and a click on them does nothing.
        QVERIFY(QTest::qWaitForWindowActive(r.window.get()));
        r.list()->setFocus();
        QTRY_VERIFY(r.list()->hasFocus());
        QVERIFY(r.nothingSelected());
        QVERIFY(!r.canChangeAndRemove());
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
        QCOMPARE(r.list()->selectedItems().size(), 1);
        // Confirmed empty says nothing; blanks only would be a pupil without a name.
        dialogs.inputAnswers.append({QString(), QStringLiteral("   "), QStringLiteral(" ")});
        r.click("cmdAdd");
        r.click("cmdAdd");
        r.click("cmdChange");
        QCOMPARE(dialogs.inputs.size(), 5);
        QCOMPARE(folder.read(Db), two);
        QCOMPARE(QFileInfo(folder.file(Db)).lastModified().toUTC(), old);
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(
            dialogs.messageTexts(),
            QStringList(2, QStringLiteral("De naam bestaat alleen uit spaties. Er is niets veranderd.")));
        QCOMPARE(dialogs.messages[0].icon, MessageIcon::Critical);
        // Letters of the code page are fine.
        dialogs.inputAnswers.enqueue(QStringLiteral("Zoë Müller-Çelik"));
        r.click("cmdAdd");
        QCOMPARE(folder.read(Db), two + "     Zo\xeb M\xfcller-\xc7"
                                        "elik\r\n");
    }

    void changedByAnotherTeacherMeanwhile()
    {
        TestFolder folder;
        folder.write(Db, Header + "     Anna\r\n     Bram\r\n     Daan\r\n     Fleur\r\n");
        DialogsWithInterruption dialogs;
        Register r;
        const QStringList shown = r.names();
        const QString changed =
            QStringLiteral("De lijst in \"leerling.sdb\" is intussen door iemand anders "
                           "gewijzigd. Er is niets veranderd. Kijk in de bijgewerkte lijst en "
                           "probeer het opnieuw.");
        // Each time the list is refreshed, says why, and nothing is selected any more.
        auto refusedAndRefreshed = [&](const QByteArray& file, const QStringList& names) {
            QCOMPARE(folder.read(Db), file);
            QCOMPARE(dialogs.messageTexts(), QStringList{changed});
            QCOMPARE(dialogs.messages[0].icon, MessageIcon::Critical);
            dialogs.messages.clear();
            QCOMPARE(r.names(), names);
            QVERIFY(r.nothingSelected());
            QVERIFY(!r.canChangeAndRemove());
            QVERIFY(!QGuiApplication::overrideCursor());
        };

        // The other teacher removes Anna; this one still sees her and removes Daan: not Fleur.
        const QByteArray withoutAnna = Header + "     Bram\r\n     Daan\r\n     Fleur\r\n";
        folder.write(Db, withoutAnna);
        QCOMPARE(r.names(), shown);
        r.select(2);
        r.click("cmdRemove");
        refusedAndRefreshed(withoutAnna,
                            {QStringLiteral("Bram"), QStringLiteral("Daan"), QStringLiteral("Fleur")});

        // Renaming Bram after the other removed him: no name is asked.
        const QByteArray withoutBram = Header + "     Daan\r\n     Fleur\r\n";
        r.select(0);
        folder.write(Db, withoutBram);
        r.click("cmdChange");
        QVERIFY(dialogs.inputs.isEmpty());
        refusedAndRefreshed(withoutBram, {QStringLiteral("Daan"), QStringLiteral("Fleur")});

        // Renaming Fleur while the other removes Daan during the input box.
        const QByteArray onlyFleur = Header + "     Fleur\r\n";
        r.select(1);
        dialogs.duringInput = [&] { folder.write(Db, onlyFleur); };
        dialogs.inputAnswers.enqueue(QStringLiteral("Floor"));
        r.click("cmdChange");
        QCOMPARE(dialogs.inputs.size(), 1);
        refusedAndRefreshed(onlyFleur, {QStringLiteral("Fleur")});
    }

    void pupilsWithTheSameNameAndALongName()
    {
        TestFolder folder;
        // Hand-filled Ids show which record is which; the list shows only the names.
        folder.write(Db, Header + "00001Anna\r\n00002Anna\r\n00003Anna\r\n");
        FakeDialogs dialogs;
        Register r;
        QCOMPARE(r.names(),
                 (QStringList{QStringLiteral("Anna"), QStringLiteral("Anna"), QStringLiteral("Anna")}));
        r.select(1);
        r.click("cmdRemove");
        QCOMPARE(folder.read(Db), Header + "00001Anna\r\n00003Anna\r\n");
        r.select(1);
        dialogs.inputAnswers.append({QStringLiteral("Anne"), QStringLiteral("Anna")});
        r.click("cmdChange");
        r.click("cmdAdd");
        QCOMPARE(folder.read(Db), Header + "00001Anna\r\n     Anne\r\n     Anna\r\n");

        // Sixty characters are stored whole, listed (and proposed for renaming) as fifty.
        const QString sixty = QStringLiteral("Maximiliaan Alexander Theodoor van de Rijckevorsel-Oudenhove");
        dialogs.inputAnswers.append({sixty});
        r.click("cmdAdd");
        QCOMPARE(folder.read(Db),
                 Header + "00001Anna\r\n     Anne\r\n     Anna\r\n     " + sixty.toLatin1() + "\r\n");
        QCOMPARE(r.names().value(3), sixty.left(50));
        r.select(3);
        r.click("cmdChange");
        QCOMPARE(dialogs.inputs.last().proposed, sixty.left(50));
    }

    // Without a database none can be made in a read-only folder, so nothing can be added.
    void unwritableFolder()
    {
        TestFolder folder;
        FakeDialogs dialogs;
        ReadOnlyFolder readOnly(folder.path());
        if (!readOnly.ok())
            QSKIP("this file system cannot make a folder read-only");
        Register r;
        QCOMPARE(dialogs.messages.size(), 2);
        QVERIFY(dialogs.messages[1].text.startsWith(
            QStringLiteral("Het bestand \"leerling.sdb\" kon niet worden opgeslagen.")));
        QVERIFY(!r.button("cmdAdd")->isEnabled());
        QVERIFY(!r.db.isOpen());
        // Closing says nothing about a database that was never open.
        r.click("cmdEnd");
        QCOMPARE(dialogs.messages.size(), 2);
        QVERIFY(!folder.exists(Db));
    }
};

QTEST_MAIN(TestLeerlingen)
#include "tst_leerlingen.moc"
