#include "fakedialogs.h"
#include "frmkaarten.h"
#include "readonlyfolder.h"
#include "smartbase.h"
#include "testfolder.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace velmora;
using korveladmin::frmKaarten;

namespace {

const QByteArray FreshMaps = "Kaarten\r\n 2 \r\nKaartnaam\r\n 30 \r\nKaartbestand\r\n 50 \r\n";
const QByteArray EuropaRecord = "Europa                        europa.krt\r\n";
const QByteArray Picture = "BM-not-really-a-picture";
const QString Db = QStringLiteral("kaarten.sdb");

} // namespace

class TestFrmKaarten : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestFolder> folder;
    std::unique_ptr<FakeDialogs> fake;
    std::unique_ptr<SmartBase> db;
    std::unique_ptr<frmKaarten> window;

    void open()
    {
        window = std::make_unique<frmKaarten>(*db);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    QListWidget* list() { return window->findChild<QListWidget*>(QStringLiteral("List")); }
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(QLatin1StringView(name)); }
    // Clicks where the teacher sees the button: what lies at its centre must be the button itself.
    void click(const char* name)
    {
        QPushButton* target = button(name);
        const QPoint centre = target->mapTo(window.get(), target->rect().center());
        QWidget* hit = window->childAt(centre);
        QCOMPARE(hit, target);
        QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(window.get(), centre));
    }
    void select(int row)
    {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualItemRect(list()->item(row)).center());
        QCOMPARE(list()->currentRow(), row);
    }
    // Writes a file outside the program folder and gives its path.
    QString elsewhere(const QString& name, const QByteArray& bytes)
    {
        folder->write(QStringLiteral("elders/") + name, bytes);
        return folder->file(QStringLiteral("elders/") + name);
    }
    // Adds the file the teacher picks, answering the name box with `name` (none: cancelled).
    void add(const QString& chosen, const QString& name = {})
    {
        fake->openFileAnswers.enqueue(chosen);
        if (!name.isNull())
            fake->inputAnswers.enqueue(name);
        click("cmdAdd");
    }
    QStringList entries()
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts.append(list()->item(i)->text());
        return texts;
    }
    // Every button that needs a selection follows it.
    void checkSelection(bool selected)
    {
        QCOMPARE(list()->selectedItems().isEmpty(), !selected);
        for (const char* name : {"cmdChange", "cmdEdit", "cmdRemove"})
            QVERIFY2(button(name)->isEnabled() == selected, name);
    }

private Q_SLOTS:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        folder->write(Db, FreshMaps);
        // Where a teacher keeps maps outside the program folder.
        QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("elders")));
        fake = std::make_unique<FakeDialogs>();
        db = std::make_unique<SmartBase>([](const QString& m) { Dialogs::notify(m); });
    }
    void cleanup()
    {
        window.reset();
        db.reset();
        fake.reset();
        folder.reset();
    }

    void missingOrForeignDatabaseIsReplaced()
    {
        // Missing; a lower-case title (compared exactly); another database.
        for (const QByteArray& before :
             {QByteArray(),
              QByteArray("kaarten\r\n 2 \r\nKaartnaam\r\n 30 \r\nKaartbestand\r\n 50 \r\nX\r\n"),
              QByteArray("Leerlingendatabase\r\n 2 \r\nId\r\n 5 \r\nNaam\r\n 50 \r\n")}) {
            QFile::remove(folder->file(Db));
            if (!before.isEmpty())
                folder->write(Db, before);
            fake->messages.clear();
            open();
            // A missing one is first reported as such by the database layer; any other file is
            // first kept beside the new one, which is said.
            QCOMPARE(fake->messages.size(), 2);
            QVERIFY(before.isEmpty() ||
                    fake->messages[0].text.contains(QStringLiteral("Het is bewaard als")));
            QCOMPARE(fake->messages.last().text, QStringLiteral("De nieuwe kaartendatabase is aangemaakt!"));
            QCOMPARE(fake->messages.last().caption, QStringLiteral("Kaarten toevoegen/wissen"));
            QCOMPARE(fake->messages.last().icon, MessageIcon::Information);
            QCOMPARE(folder->read(Db), FreshMaps);
            QCOMPARE(list()->count(), 0);
            checkSelection(false);
            QCOMPARE(window->windowTitle(), QStringLiteral("Kaartendatabase"));
            click("cmdEnd");
            QVERIFY(!window->isVisible());
            QVERIFY(!db->isOpen());
        }
    }

    void addingAMapFileFromTheProgramFolder()
    {
        folder->write(QStringLiteral("europa.krt"), "europa.bmp\r\n1 s 1234 567  Utrecht\r\n");
        folder->write(QStringLiteral("europa.bmp"), Picture);
        open();
        const QString krt = folder->file(QStringLiteral("europa.krt"));
        add(krt, QStringLiteral("Europa"));
        add(krt, QStringLiteral("Europa en de landen eromheen, 1990"));
        add(krt, QStringLiteral("Kreta"));

        QCOMPARE(fake->openFiles[0].title, QStringLiteral("Openen..."));
        QCOMPARE(fake->openFiles[0].filters.size(), 2);
        QCOMPARE(fake->openFiles[0].filters[0].pattern, QStringLiteral("*.krt;*.bmp"));
        QCOMPARE(fake->inputs[0].prompt, QStringLiteral("Geef een naam voor deze kaart:"));
        QCOMPARE(fake->inputs[0].title, QStringLiteral("Kaart toevoegen"));
        QCOMPARE(fake->inputs[0].proposed, QStringLiteral("europa"));
        QVERIFY(fake->messages.isEmpty());

        // 35 characters cut to 30; 5 padded with 25 blanks. Nothing copied onto itself.
        QCOMPARE(folder->read(Db), FreshMaps + EuropaRecord +
                                       "Europa en de landen eromheen, europa.krt\r\n"
                                       "Kreta                         europa.krt\r\n");
        QCOMPARE(entries(),
                 QStringList({QStringLiteral("Europa"), QStringLiteral("Europa en de landen eromheen,"),
                              QStringLiteral("Kreta")}));
        checkSelection(false);
        QCOMPARE(QDir(folder->path()).entryList(QDir::Files),
                 QStringList({QStringLiteral("europa.bmp"), QStringLiteral("europa.krt"), Db}));
        QCOMPARE(folder->read(QStringLiteral("europa.krt")),
                 QByteArray("europa.bmp\r\n1 s 1234 567  Utrecht\r\n"));
    }

    void addingAPictureFromAnotherFolder()
    {
        open();
        add(elsewhere(QStringLiteral("Holland.BMP"), Picture), QStringLiteral("Nederland"));
        QVERIFY(fake->messages.isEmpty());
        QCOMPARE(fake->inputs[0].proposed, QStringLiteral("Holland"));
        QCOMPARE(folder->read(QStringLiteral("elders/Holland.krt")), QByteArray("Holland.BMP\r\n"));
        QCOMPARE(folder->read(QStringLiteral("Holland.krt")), QByteArray("Holland.BMP\r\n"));
        QCOMPARE(folder->read(QStringLiteral("Holland.BMP")), Picture);
        QCOMPARE(folder->read(Db), FreshMaps + "Nederland                     Holland.krt\r\n");
        QCOMPARE(entries(), QStringList({QStringLiteral("Nederland")}));
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void refusalsChangeNothing()
    {
        open();
        // Picture missing beside the map file, and a file of another kind: no name is asked.
        add(elsewhere(QStringLiteral("azie.krt"), "azie.bmp\r\n"));
        add(elsewhere(QStringLiteral("notities.TXT"), "x"));
        QCOMPARE(fake->messageTexts(),
                 QStringList({QStringLiteral("Het bestand azie.bmp is niet gevonden in dezelfde map."),
                              QStringLiteral("Het bestand notities.TXT is geen kaartbestand (.krt) en geen "
                                             "afbeelding (.bmp).")}));
        QCOMPARE(fake->messages[0].caption, QStringLiteral("Fout"));
        QCOMPARE(fake->messages[0].icon, MessageIcon::Critical);
        QVERIFY(fake->inputs.isEmpty());

        // A cancelled name, then one of blanks. The second time the map file beside the
        // picture is there already: asked, and replaced on Yes.
        const QString bmp = elsewhere(QStringLiteral("kaart.bmp"), Picture);
        fake->messages.clear();
        fake->messageAnswers.append({MessageAnswer::Ok, MessageAnswer::Yes});
        add(bmp);
        add(bmp, QStringLiteral("   "));
        QCOMPARE(fake->inputs.size(), 2);
        QCOMPARE(fake->messages.size(), 3);
        QCOMPARE(fake->messages[0].text, QStringLiteral("Ongeldige naam"));
        QCOMPARE(fake->messages[1].buttons, MessageButtons::YesNo);
        QCOMPARE(fake->messages[2].text, QStringLiteral("Ongeldige naam"));
        QCOMPARE(folder->read(QStringLiteral("elders/kaart.krt")), QByteArray("kaart.bmp\r\n"));
        // A cancelled file choice asks nothing further.
        click("cmdAdd");
        QCOMPARE(fake->inputs.size(), 2);
        QCOMPARE(fake->messages.size(), 3);
        QCOMPARE(QDir(folder->path()).entryList(QDir::Files), QStringList{Db});

        // A copy that fails is reported and adds no record.
        const QString krt = elsewhere(QStringLiteral("kaart.krt"), "kaart.bmp\r\n");
        ReadOnlyFolder readOnly(folder->path());
        if (!readOnly.ok())
            QSKIP("cannot make the folder read-only here");
        add(krt, QStringLiteral("Kaart"));
        QVERIFY(fake->messages.last().text.startsWith(
            QStringLiteral("Het bestand \"kaart.krt\" kon niet worden opgeslagen.")));
        QCOMPARE(folder->read(Db), FreshMaps);
        QCOMPARE(list()->count(), 0);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void replacingAnotherFileIsAskedFirst()
    {
        folder->write(QStringLiteral("europa.bmp"), "old picture");
        const QString krt = elsewhere(QStringLiteral("europa.krt"), "europa.bmp\r\n");
        const QString bmp = elsewhere(QStringLiteral("europa.bmp"), Picture);
        open();

        fake->messageAnswers.enqueue(MessageAnswer::No);
        add(krt, QStringLiteral("Europa"));
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].text,
                 QStringLiteral(
                     "In de programmamap staat al een ander bestand europa.bmp. Wilt u het vervangen?"));
        QCOMPARE(fake->messages[0].caption, QStringLiteral("Kaart toevoegen"));
        QCOMPARE(fake->messages[0].icon, MessageIcon::Question);
        QCOMPARE(fake->messages[0].buttons, MessageButtons::YesNo);
        QCOMPARE(folder->read(QStringLiteral("europa.bmp")), QByteArray("old picture"));
        QVERIFY(!folder->exists(QStringLiteral("europa.krt")));
        QCOMPARE(folder->read(Db), FreshMaps);

        fake->messageAnswers.enqueue(MessageAnswer::Yes);
        add(krt, QStringLiteral("Europa"));
        QCOMPARE(folder->read(QStringLiteral("europa.bmp")), Picture);
        QCOMPARE(folder->read(QStringLiteral("europa.krt")), QByteArray("europa.bmp\r\n"));
        QCOMPARE(folder->read(Db), FreshMaps + EuropaRecord);

        // Now both files are the same: nothing to ask.
        add(krt, QStringLiteral("Europa 2"));
        QCOMPARE(fake->messages.size(), 2);
        QCOMPARE(list()->count(), 2);

        // A new one-line map file over an existing one beside a picture: No keeps it.
        elsewhere(QStringLiteral("europa.krt"), "europa.bmp\r\n1 s 100  200  Parijs\r\n");
        add(bmp);
        QCOMPARE(fake->messages.size(), 3);
        QCOMPARE(fake->messages[2].text,
                 QStringLiteral("Naast de afbeelding staat al een kaartbestand europa.krt. "
                                "Wilt u het vervangen door een nieuw kaartbestand zonder "
                                "plaatsen?"));
        QCOMPARE(folder->read(QStringLiteral("elders/europa.krt")),
                 QByteArray("europa.bmp\r\n1 s 100  200  Parijs\r\n"));
        QCOMPARE(fake->inputs.size(), 3);
    }

    void renamingAndRemoving()
    {
        // A hand-made map file field with a blank at its end, a name with blanks before it.
        const QByteArray wereld = "De wereld                     Wereld Kaart.KRT \r\n";
        const QByteArray afrika = "  Afrika                      afrika.krt\r\n";
        folder->write(Db, FreshMaps + EuropaRecord + "Wereld                        Wereld Kaart.KRT \r\n" +
                              afrika);
        folder->write(QStringLiteral("europa.krt"), "europa.bmp\r\n");
        open();
        QCOMPARE(entries(),
                 QStringList({QStringLiteral("Europa"), QStringLiteral("Wereld"), QStringLiteral("Afrika")}));
        checkSelection(false);
        select(1);
        checkSelection(true);
        fake->inputAnswers.enqueue(QStringLiteral("De wereld"));
        click("cmdChange");
        QCOMPARE(fake->inputs[0].prompt, QStringLiteral("Geef een nieuwe naam voor deze kaart:"));
        QCOMPARE(fake->inputs[0].title, QStringLiteral("Kaart wijzigen"));
        QCOMPARE(fake->inputs[0].proposed, QStringLiteral("Wereld"));
        QCOMPARE(folder->read(Db), FreshMaps + EuropaRecord + wereld + afrika);
        QCOMPARE(entries().value(1), QStringLiteral("De wereld"));
        checkSelection(false);
        select(0);
        click("cmdChange"); // cancelled
        QCOMPARE(fake->messageTexts(), QStringList({QStringLiteral("Ongeldige naam")}));
        QCOMPARE(folder->read(Db), FreshMaps + EuropaRecord + wereld + afrika);

        // Removing asks nothing and leaves the map's files; the last one leaves the buttons off.
        click("cmdRemove");
        QCOMPARE(folder->read(Db), FreshMaps + wereld + afrika);
        QCOMPARE(entries(), QStringList({QStringLiteral("De wereld"), QStringLiteral("Afrika")}));
        checkSelection(false);
        for (int left = 1; left >= 0; --left) {
            select(0);
            click("cmdRemove");
            QCOMPARE(list()->count(), left);
        }
        QCOMPARE(folder->read(Db), FreshMaps);
        checkSelection(false);
        QCOMPARE(fake->messages.size(), 1);
        QVERIFY(folder->exists(QStringLiteral("europa.krt")));
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void changedByAnotherTeacherMeanwhile()
    {
        // Two maps of the same name: only the whole record tells them apart.
        const QByteArray oud = "Europa                        oud.krt\r\n";
        const QByteArray afrika = "Afrika                        afrika.krt\r\n";
        folder->write(Db, FreshMaps + EuropaRecord + oud + afrika);
        open();
        const QString changed =
            QStringLiteral("De lijst in \"kaarten.sdb\" is intussen door iemand anders "
                           "gewijzigd. Er is niets veranderd. Kijk in de bijgewerkte lijst en "
                           "probeer het opnieuw.");
        auto refusedAndRefreshed = [&](const QByteArray& file, const QStringList& shown) {
            QCOMPARE(folder->read(Db), file);
            QCOMPARE(fake->messageTexts(), QStringList{changed});
            QCOMPARE(fake->messages[0].caption, QStringLiteral("Fout"));
            fake->messages.clear();
            QVERIFY(fake->inputs.isEmpty());
            QCOMPARE(entries(), shown);
            checkSelection(false);
            QVERIFY(!QGuiApplication::overrideCursor());
        };

        // The other teacher removes the first Europa; this one removes the first Europa listed.
        folder->write(Db, FreshMaps + oud + afrika);
        select(0);
        click("cmdRemove");
        refusedAndRefreshed(FreshMaps + oud + afrika, {QStringLiteral("Europa"), QStringLiteral("Afrika")});

        // Renaming a map the other just renamed: no name is asked.
        const QByteArray renamed = FreshMaps + oud + "Afrika en Azi\xeb                afrika.krt\r\n";
        select(1);
        folder->write(Db, renamed);
        click("cmdChange");
        refusedAndRefreshed(renamed, {QStringLiteral("Europa"), QStringLiteral("Afrika en Azië")});

        // Opening a map in the editor that the other just removed: no editor, no other map.
        select(1);
        folder->write(Db, FreshMaps + oud);
        click("cmdEdit");
        refusedAndRefreshed(FreshMaps + oud, {QStringLiteral("Europa")});
    }
};

QTEST_MAIN(TestFrmKaarten)
#include "tst_frmkaarten.moc"
