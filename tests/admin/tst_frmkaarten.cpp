#include "fakedialogs.h"
#include "frmkaarten.h"
#include "readonlyfolder.h"
#include "smartbase.h"
#include "testfolder.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;
using korveladmin::frmKaarten;

namespace {

const QByteArray FreshMaps = "Kaarten\r\n 2 \r\nKaartnaam\r\n 30 \r\nKaartbestand\r\n 50 \r\n";
const QByteArray Picture = "BM-not-really-a-picture";

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

template <class T> void enqueue(QQueue<T>& queue, std::initializer_list<T> answers)
{
    for (const T& answer : answers)
        queue.enqueue(answer);
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestFrmKaarten : public QObject
{
    Q_OBJECT

    std::unique_ptr<SmartBase> db;
    std::unique_ptr<frmKaarten> window;

    void open()
    {
        window = std::make_unique<frmKaarten>(*db);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    QListWidget* list() { return window->findChild<QListWidget*>(QStringLiteral("List")); }
    QPushButton* button(const char* name)
    {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    void click(const char* name)
    {
        QPushButton* b = button(name);
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void select(int row)
    {
        QListWidget* l = list();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
        QCOMPARE(l->currentRow(), row);
    }
    QStringList entries()
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts.append(list()->item(i)->text());
        return texts;
    }
    // Nothing selected, so the three buttons that need a selection are off.
    void checkNothingSelected()
    {
        QVERIFY(list()->selectedItems().isEmpty());
        QVERIFY(!button("cmdChange")->isEnabled());
        QVERIFY(!button("cmdEdit")->isEnabled());
        QVERIFY(!button("cmdRemove")->isEnabled());
    }

private Q_SLOTS:
    void init()
    {
        db = std::make_unique<SmartBase>([](const QString& m) { Dialogs::notify(m); });
    }
    void cleanup()
    {
        window.reset();
        db.reset();
    }

    void missingOrForeignDatabaseIsReplaced()
    {
        TestFolder folder;
        {
            FakeDialogs fake;
            open();
            QCOMPARE(fake.messageTexts(),
                     QStringList({QStringLiteral("Database bestaat niet"),
                                  QStringLiteral("De nieuwe kaartendatabase is aangemaakt!")}));
            QCOMPARE(fake.messages[1].caption, QStringLiteral("Kaarten toevoegen/wissen"));
            QCOMPARE(fake.messages[1].icon, MessageIcon::Information);
            QCOMPARE(fake.messages[1].buttons, MessageButtons::Ok);
            QCOMPARE(folder.read(QStringLiteral("kaarten.sdb")), FreshMaps);
            QCOMPARE(db->DatabaseTitle(), QStringLiteral("Kaarten"));
            QCOMPARE(list()->count(), 0);
            checkNothingSelected();
            QCOMPARE(window->windowTitle(), QStringLiteral("Kaartendatabase"));
            click("cmdEnd");
            QVERIFY(!window->isVisible());
            QVERIFY(!db->isOpen());
            QCOMPARE(fake.messages.size(), 2);
        }
        // The title is compared exactly: a lower-case one is another database.
        for (const QByteArray& foreign :
             {QByteArray("kaarten\r\n 2 \r\nKaartnaam\r\n 30 \r\nKaartbestand\r\n 50 \r\nX\r\n"),
              QByteArray("Leerlingendatabase\r\n 2 \r\nId\r\n 5 \r\nNaam\r\n 50 \r\n")}) {
            folder.write(QStringLiteral("kaarten.sdb"), foreign);
            FakeDialogs fake;
            open();
            QCOMPARE(fake.messageTexts(),
                     QStringList({QStringLiteral("De nieuwe kaartendatabase is aangemaakt!")}));
            QCOMPARE(folder.read(QStringLiteral("kaarten.sdb")), FreshMaps);
            window->close();
            QVERIFY(!db->isOpen());
        }
    }

    void listShowsTrimmedNamesAndSelectionEnablesButtons()
    {
        TestFolder folder;
        folder.write(QStringLiteral("kaarten.sdb"), FreshMaps +
                                                        "Europa                        europa.krt\r\n"
                                                        "  Afrika                      afrika.krt\r\n");
        FakeDialogs fake;
        open();
        QVERIFY(fake.messages.isEmpty());
        QCOMPARE(entries(), QStringList({QStringLiteral("Europa"), QStringLiteral("Afrika")}));
        checkNothingSelected();
        QVERIFY(button("cmdAdd")->isEnabled());
        select(1);
        QVERIFY(button("cmdChange")->isEnabled());
        QVERIFY(button("cmdEdit")->isEnabled());
        QVERIFY(button("cmdRemove")->isEnabled());
    }

    void addingAMapFileFromTheProgramFolder()
    {
        TestFolder folder;
        folder.write(QStringLiteral("kaarten.sdb"), FreshMaps);
        folder.write(QStringLiteral("europa.krt"), "europa.bmp\r\n1 s 1234 567  Utrecht\r\n");
        folder.write(QStringLiteral("europa.bmp"), Picture);
        FakeDialogs fake;
        open();
        enqueue(fake.openFileAnswers,
                {folder.file(QStringLiteral("europa.krt")), folder.file(QStringLiteral("europa.krt")),
                 folder.file(QStringLiteral("europa.krt"))});
        enqueue(fake.inputAnswers,
                {QStringLiteral("Europa"), QStringLiteral("Europa en de landen eromheen, 1990"),
                 QStringLiteral("Azië")});
        click("cmdAdd");
        click("cmdAdd");
        click("cmdAdd");

        QCOMPARE(fake.openFiles.size(), 3);
        QCOMPARE(fake.openFiles[0].title, QStringLiteral("Openen..."));
        QCOMPARE(fake.openFiles[0].filters.size(), 2);
        QCOMPARE(fake.openFiles[0].filters[0].description,
                 QStringLiteral("Kaartbestanden en afbeeldingen (*.krt *.bmp)"));
        QCOMPARE(fake.openFiles[0].filters[0].pattern, QStringLiteral("*.krt;*.bmp"));
        QCOMPARE(fake.openFiles[0].filters[1].description, QStringLiteral("Alle Bestanden (*.*)"));
        QCOMPARE(fake.openFiles[0].filters[1].pattern, QStringLiteral("*.*"));
        QCOMPARE(fake.inputs[0].prompt, QStringLiteral("Geef een naam voor deze kaart:"));
        QCOMPARE(fake.inputs[0].title, QStringLiteral("Kaart toevoegen"));
        QCOMPARE(fake.inputs[0].proposed, QStringLiteral("europa"));
        QVERIFY(fake.messages.isEmpty());

        // 6 letters + 24 blanks; 35 characters cut to 30; "Azië" is one byte per letter.
        QCOMPARE(folder.read(QStringLiteral("kaarten.sdb")),
                 FreshMaps + "Europa                        europa.krt\r\n"
                             "Europa en de landen eromheen, europa.krt\r\n"
                             "Azi\xEB                          europa.krt\r\n");
        QCOMPARE(entries(),
                 QStringList({QStringLiteral("Europa"), QStringLiteral("Europa en de landen eromheen,"),
                              QStringLiteral("Azië")}));
        checkNothingSelected();
        QCOMPARE(filesIn(folder.path()),
                 QStringList({QStringLiteral("europa.bmp"), QStringLiteral("europa.krt"),
                              QStringLiteral("kaarten.sdb")}));
        QCOMPARE(folder.read(QStringLiteral("europa.krt")),
                 QByteArray("europa.bmp\r\n1 s 1234 567  Utrecht\r\n"));
    }

    void addingAPictureFromAnotherFolder()
    {
        TestFolder folder;
        folder.write(QStringLiteral("kaarten.sdb"), FreshMaps);
        QTemporaryDir elsewhere;
        const QString picture = QDir(elsewhere.path()).filePath(QStringLiteral("Holland.BMP"));
        writeFile(picture, Picture);
        FakeDialogs fake;
        open();
        enqueue(fake.openFileAnswers, {picture});
        enqueue(fake.inputAnswers, {QStringLiteral("Nederland")});
        click("cmdAdd");

        QVERIFY(fake.messages.isEmpty());
        QCOMPARE(fake.inputs[0].proposed, QStringLiteral("Holland"));
        QCOMPARE(readFile(QDir(elsewhere.path()).filePath(QStringLiteral("Holland.krt"))),
                 QByteArray("Holland.BMP\r\n"));
        QCOMPARE(folder.read(QStringLiteral("Holland.krt")), QByteArray("Holland.BMP\r\n"));
        QCOMPARE(folder.read(QStringLiteral("Holland.BMP")), Picture);
        QCOMPARE(folder.read(QStringLiteral("kaarten.sdb")),
                 FreshMaps + "Nederland                     Holland.krt\r\n");
        QCOMPARE(entries(), QStringList({QStringLiteral("Nederland")}));
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void refusalsChangeNothing()
    {
        TestFolder folder;
        folder.write(QStringLiteral("kaarten.sdb"), FreshMaps);
        QTemporaryDir elsewhere;
        const QDir other(elsewhere.path());
        writeFile(other.filePath(QStringLiteral("azie.krt")), "azie.bmp\r\n");
        writeFile(other.filePath(QStringLiteral("notities.txt")), "x");
        writeFile(other.filePath(QStringLiteral("kaart.bmp")), Picture);
        FakeDialogs fake;
        open();
        // Picture missing beside the map file: no name is asked.
        enqueue(fake.openFileAnswers, {other.filePath(QStringLiteral("azie.krt"))});
        click("cmdAdd");
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].text,
                 QStringLiteral("Het bestand azie.bmp is niet gevonden in dezelfde map."));
        QCOMPARE(fake.messages[0].caption, QStringLiteral("Fout"));
        QCOMPARE(fake.messages[0].icon, MessageIcon::Critical);
        QVERIFY(fake.inputs.isEmpty());

        // Neither a map file nor a picture.
        enqueue(fake.openFileAnswers, {other.filePath(QStringLiteral("notities.txt"))});
        click("cmdAdd");
        QCOMPARE(fake.messages.size(), 2);
        QCOMPARE(fake.messages[1].text,
                 QStringLiteral(
                     "Het bestand notities.txt is geen kaartbestand (.krt) en geen afbeelding (.bmp)."));
        QCOMPARE(fake.messages[1].icon, MessageIcon::Critical);
        QVERIFY(fake.inputs.isEmpty());

        // Cancelled name, a name of blanks, a name the code page cannot hold. The
        // one-line map file beside the picture stays; nothing reaches the program folder.
        enqueue(fake.openFileAnswers,
                {other.filePath(QStringLiteral("kaart.bmp")), other.filePath(QStringLiteral("kaart.bmp")),
                 other.filePath(QStringLiteral("kaart.bmp"))});
        enqueue(fake.messageAnswers, {MessageAnswer::Ok, MessageAnswer::Yes, MessageAnswer::Ok,
                                      MessageAnswer::Yes, MessageAnswer::Ok});
        enqueue(fake.inputAnswers, {QString(), QStringLiteral("   "), QStringLiteral("Łódź")});
        click("cmdAdd");
        click("cmdAdd");
        click("cmdAdd");
        QCOMPARE(fake.inputs.size(), 3);
        QCOMPARE(fake.messages[2].text, QStringLiteral("Ongeldige naam"));
        QCOMPARE(fake.messages[2].caption, QStringLiteral("Fout"));
        QCOMPARE(fake.messages[2].icon, MessageIcon::Critical);
        // The second time a map file lies beside the picture: asked, Yes.
        QCOMPARE(fake.messages[3].buttons, MessageButtons::YesNo);
        QCOMPARE(fake.messages[4].text, QStringLiteral("Ongeldige naam"));
        QVERIFY(fake.messages[6].text.contains(QStringLiteral("\"Ł\"")));
        QCOMPARE(fake.messages.size(), 7);
        QCOMPARE(readFile(other.filePath(QStringLiteral("kaart.krt"))), QByteArray("kaart.bmp\r\n"));
        QCOMPARE(filesIn(folder.path()), QStringList({QStringLiteral("kaarten.sdb")}));
        QCOMPARE(folder.read(QStringLiteral("kaarten.sdb")), FreshMaps);
        QCOMPARE(list()->count(), 0);

        // A cancelled file choice asks nothing further.
        click("cmdAdd");
        QCOMPARE(fake.openFiles.size(), 6);
        QCOMPARE(fake.inputs.size(), 3);
        QCOMPARE(fake.messages.size(), 7);
    }

    void replacingAnotherFileIsAskedFirst()
    {
        TestFolder folder;
        folder.write(QStringLiteral("kaarten.sdb"), FreshMaps);
        folder.write(QStringLiteral("europa.bmp"), "old picture");
        QTemporaryDir elsewhere;
        const QDir other(elsewhere.path());
        writeFile(other.filePath(QStringLiteral("europa.krt")), "europa.bmp\r\n");
        writeFile(other.filePath(QStringLiteral("europa.bmp")), Picture);
        FakeDialogs fake;
        open();

        enqueue(fake.openFileAnswers, {other.filePath(QStringLiteral("europa.krt"))});
        enqueue(fake.inputAnswers, {QStringLiteral("Europa")});
        enqueue(fake.messageAnswers, {MessageAnswer::No});
        click("cmdAdd");
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].text,
                 QStringLiteral(
                     "In de programmamap staat al een ander bestand europa.bmp. Wilt u het vervangen?"));
        QCOMPARE(fake.messages[0].caption, QStringLiteral("Kaart toevoegen"));
        QCOMPARE(fake.messages[0].icon, MessageIcon::Question);
        QCOMPARE(fake.messages[0].buttons, MessageButtons::YesNo);
        QCOMPARE(folder.read(QStringLiteral("europa.bmp")), QByteArray("old picture"));
        QVERIFY(!folder.exists(QStringLiteral("europa.krt")));
        QCOMPARE(folder.read(QStringLiteral("kaarten.sdb")), FreshMaps);

        enqueue(fake.openFileAnswers, {other.filePath(QStringLiteral("europa.krt"))});
        enqueue(fake.inputAnswers, {QStringLiteral("Europa")});
        enqueue(fake.messageAnswers, {MessageAnswer::Yes});
        click("cmdAdd");
        QCOMPARE(fake.messages.size(), 2);
        QCOMPARE(folder.read(QStringLiteral("europa.bmp")), Picture);
        QCOMPARE(folder.read(QStringLiteral("europa.krt")), QByteArray("europa.bmp\r\n"));
        QCOMPARE(folder.read(QStringLiteral("kaarten.sdb")),
                 FreshMaps + "Europa                        europa.krt\r\n");

        // Now both files are the same: nothing to ask, only a second record.
        enqueue(fake.openFileAnswers, {other.filePath(QStringLiteral("europa.krt"))});
        enqueue(fake.inputAnswers, {QStringLiteral("Europa 2")});
        click("cmdAdd");
        QCOMPARE(fake.messages.size(), 2);
        QCOMPARE(list()->count(), 2);

        // A new one-line map file over an existing one beside a picture: No keeps it.
        writeFile(other.filePath(QStringLiteral("europa.krt")), "europa.bmp\r\n1 s 100  200  Parijs\r\n");
        enqueue(fake.openFileAnswers, {other.filePath(QStringLiteral("europa.bmp"))});
        enqueue(fake.messageAnswers, {MessageAnswer::No});
        click("cmdAdd");
        QCOMPARE(fake.messages.size(), 3);
        QCOMPARE(fake.messages[2].text,
                 QStringLiteral("Naast de afbeelding staat al een kaartbestand europa.krt. Wilt u "
                                "het vervangen door een nieuw kaartbestand zonder plaatsen?"));
        QCOMPARE(fake.messages[2].buttons, MessageButtons::YesNo);
        QCOMPARE(readFile(other.filePath(QStringLiteral("europa.krt"))),
                 QByteArray("europa.bmp\r\n1 s 100  200  Parijs\r\n"));
        QCOMPARE(fake.inputs.size(), 3);
    }

    void aFailedCopyAddsNoRecord()
    {
        TestFolder folder;
        folder.write(QStringLiteral("kaarten.sdb"), FreshMaps);
        QTemporaryDir elsewhere;
        const QDir other(elsewhere.path());
        writeFile(other.filePath(QStringLiteral("europa.krt")), "europa.bmp\r\n");
        writeFile(other.filePath(QStringLiteral("europa.bmp")), Picture);
        FakeDialogs fake;
        open();
        {
            ReadOnlyFolder readOnly(folder.path());
            if (!readOnly.ok())
                QSKIP("cannot make the folder read-only here");
            enqueue(fake.openFileAnswers, {other.filePath(QStringLiteral("europa.krt"))});
            enqueue(fake.inputAnswers, {QStringLiteral("Europa")});
            click("cmdAdd");
        }
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].caption, QStringLiteral("Fout"));
        QVERIFY(fake.messages[0].text.startsWith(
            QStringLiteral("Het bestand \"europa.krt\" kon niet worden opgeslagen.")));
        QCOMPARE(folder.read(QStringLiteral("kaarten.sdb")), FreshMaps);
        QCOMPARE(list()->count(), 0);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void renamingKeepsTheMapFileField()
    {
        TestFolder folder;
        // A hand-made field with a blank at its end comes back exactly.
        folder.write(QStringLiteral("kaarten.sdb"),
                     FreshMaps + "Europa                        europa.krt\r\n"
                                 "Wereld                        Wereld Kaart.KRT \r\n");
        FakeDialogs fake;
        open();
        select(1);
        enqueue(fake.inputAnswers, {QStringLiteral("De wereld")});
        click("cmdChange");
        QCOMPARE(fake.inputs[0].prompt, QStringLiteral("Geef een nieuwe naam voor deze kaart:"));
        QCOMPARE(fake.inputs[0].title, QStringLiteral("Kaart wijzigen"));
        QCOMPARE(fake.inputs[0].proposed, QStringLiteral("Wereld"));
        QCOMPARE(folder.read(QStringLiteral("kaarten.sdb")),
                 FreshMaps + "Europa                        europa.krt\r\n"
                             "De wereld                     Wereld Kaart.KRT \r\n");
        QCOMPARE(entries(), QStringList({QStringLiteral("Europa"), QStringLiteral("De wereld")}));
        checkNothingSelected();

        select(0);
        click("cmdChange"); // cancelled
        QCOMPARE(fake.messageTexts(), QStringList({QStringLiteral("Ongeldige naam")}));
        QCOMPARE(fake.messages[0].caption, QStringLiteral("Fout"));
        QCOMPARE(folder.read(QStringLiteral("kaarten.sdb")),
                 FreshMaps + "Europa                        europa.krt\r\n"
                             "De wereld                     Wereld Kaart.KRT \r\n");
    }

    void removingAsksNothingAndLeavesTheFiles()
    {
        TestFolder folder;
        folder.write(QStringLiteral("kaarten.sdb"), FreshMaps +
                                                        "Europa                        europa.krt\r\n"
                                                        "Afrika                        afrika.krt\r\n");
        folder.write(QStringLiteral("europa.krt"), "europa.bmp\r\n");
        FakeDialogs fake;
        open();
        select(0);
        click("cmdRemove");
        QCOMPARE(folder.read(QStringLiteral("kaarten.sdb")),
                 FreshMaps + "Afrika                        afrika.krt\r\n");
        QCOMPARE(entries(), QStringList({QStringLiteral("Afrika")}));
        checkNothingSelected();
        select(0);
        click("cmdRemove");
        QCOMPARE(folder.read(QStringLiteral("kaarten.sdb")), FreshMaps);
        QCOMPARE(list()->count(), 0);
        checkNothingSelected();
        QVERIFY(fake.messages.isEmpty());
        QVERIFY(folder.exists(QStringLiteral("europa.krt")));
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(TestFrmKaarten)
#include "tst_frmkaarten.moc"
