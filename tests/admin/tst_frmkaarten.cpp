#include "fakedialogs.h"
#include "frmkaarten.h"
#include "registerfiles.h"
#include "smartbase.h"
#include "testfolder.h"
#include "windowdriver.h"

#include <QDir>
#include <QListWidget>
#include <QtTest>

using namespace velmora;
using korveladmin::frmKaarten;
using registerfiles::MapHeader;

namespace {

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
        QVERIFY(drive::show(*window));
    }
    QListWidget* list() { return drive::child<QListWidget>(*window, "List"); }
    void click(const char* name) { drive::click(*window, name); }
    void select(int row) { drive::selectRow(list(), row); }
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
            QVERIFY2(drive::child(*window, name)->isEnabled() == selected, name);
    }

private Q_SLOTS:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        folder->write(Db, MapHeader);
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

    void addingAMapFileFromTheProgramFolder()
    {
        // Without a map list one is made, which is said.
        QFile::remove(folder->file(Db));
        folder->write(QStringLiteral("europa.krt"), "europa.bmp\r\n1 s 1234 567  Utrecht\r\n");
        folder->write(QStringLiteral("europa.bmp"), Picture);
        open();
        QCOMPARE(fake->messageTexts().last(), QStringLiteral("De nieuwe kaartendatabase is aangemaakt!"));
        fake->messages.clear();
        const QString krt = folder->file(QStringLiteral("europa.krt"));
        add(krt, QStringLiteral("Europa"));
        add(krt, QStringLiteral("Europa en de landen eromheen, 1990"));
        QCOMPARE(fake->inputs[0].proposed, QStringLiteral("europa"));
        QVERIFY(fake->messages.isEmpty());

        // 35 characters cut to 30; 6 padded with 24 blanks. Nothing copied onto itself.
        QCOMPARE(folder->read(Db), MapHeader + EuropaRecord + "Europa en de landen eromheen, europa.krt\r\n");
        QCOMPARE(entries(),
                 QStringList({QStringLiteral("Europa"), QStringLiteral("Europa en de landen eromheen,")}));
        checkSelection(false);
        QCOMPARE(QDir(folder->path()).entryList(QDir::Files),
                 QStringList({QStringLiteral("europa.bmp"), QStringLiteral("europa.krt"), Db}));
        QCOMPARE(folder->read(QStringLiteral("europa.krt")),
                 QByteArray("europa.bmp\r\n1 s 1234 567  Utrecht\r\n"));

        // Closing closes the database.
        click("cmdEnd");
        QVERIFY(!window->isVisible());
        QVERIFY(!db->isOpen());
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
        QCOMPARE(folder->read(Db), MapHeader + "Nederland                     Holland.krt\r\n");
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void refusalsChangeNothing()
    {
        open();
        // Picture missing beside the map file, a file of another kind, a map file that
        // cannot be read: no name is asked.
        add(elsewhere(QStringLiteral("azie.krt"), "azie.bmp\r\n"));
        add(elsewhere(QStringLiteral("notities.TXT"), "x"));
        add(elsewhere(QStringLiteral("kapot.krt"), "kapot.bmp\r\n1 s\r\n"));
        QCOMPARE(fake->messageTexts(),
                 QStringList(
                     {QStringLiteral("Het bestand azie.bmp is niet gevonden in dezelfde map."),
                      QStringLiteral("Het bestand notities.TXT is geen kaartbestand (.krt) en geen "
                                     "afbeelding (.bmp)."),
                      QStringLiteral("Regel 2 van het bestand \"kapot.krt\" is onleesbaar of beschadigd.")}));
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
        // A cancelled file choice asks nothing further.
        click("cmdAdd");
        QCOMPARE(fake->inputs.size(), 2);
        QCOMPARE(fake->messages.size(), 3);
        QCOMPARE(QDir(folder->path()).entryList(QDir::Files), QStringList{Db});
        QCOMPARE(folder->read(Db), MapHeader);
    }

    void replacingAnotherFileIsAskedFirst()
    {
        folder->write(QStringLiteral("europa.bmp"), "old picture");
        const QString krt = elsewhere(QStringLiteral("europa.krt"), "europa.bmp\r\n");
        const QString bmp = elsewhere(QStringLiteral("europa.bmp"), Picture);
        open();

        fake->messageAnswers.enqueue(MessageAnswer::No);
        add(krt, QStringLiteral("Europa"));
        QCOMPARE(fake->messageTexts(),
                 QStringList{QStringLiteral(
                     "In de programmamap staat al een ander bestand europa.bmp. Wilt u het vervangen?")});
        QCOMPARE(fake->messages[0].buttons, MessageButtons::YesNo);
        QCOMPARE(folder->read(QStringLiteral("europa.bmp")), QByteArray("old picture"));
        QVERIFY(!folder->exists(QStringLiteral("europa.krt")));
        QCOMPARE(folder->read(Db), MapHeader);

        fake->messageAnswers.enqueue(MessageAnswer::Yes);
        add(krt, QStringLiteral("Europa"));
        QCOMPARE(folder->read(QStringLiteral("europa.bmp")), Picture);
        QCOMPARE(folder->read(QStringLiteral("europa.krt")), QByteArray("europa.bmp\r\n"));
        QCOMPARE(folder->read(Db), MapHeader + EuropaRecord);

        // Now both files are the same: nothing to ask.
        add(krt, QStringLiteral("Europa 2"));
        QCOMPARE(fake->messages.size(), 2);
        QCOMPARE(list()->count(), 2);

        // A new one-line map file over an existing one beside a picture: No keeps it.
        elsewhere(QStringLiteral("europa.krt"), "europa.bmp\r\n1 s 100  200  Parijs\r\n");
        add(bmp);
        QCOMPARE(fake->messages.size(), 3);
        QVERIFY(fake->messages[2].text.startsWith(
            QStringLiteral("Naast de afbeelding staat al een kaartbestand")));
        QCOMPARE(folder->read(QStringLiteral("elders/europa.krt")),
                 QByteArray("europa.bmp\r\n1 s 100  200  Parijs\r\n"));
        QCOMPARE(fake->inputs.size(), 3);
    }

    void renamingAndRemoving()
    {
        // A hand-made map file field with a blank at its end, a name with blanks before it.
        const QByteArray wereld = "De wereld                     Wereld Kaart.KRT \r\n";
        const QByteArray afrika = "  Afrika                      afrika.krt\r\n";
        folder->write(Db, MapHeader + EuropaRecord + "Wereld                        Wereld Kaart.KRT \r\n" +
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
        QCOMPARE(fake->inputs[0].proposed, QStringLiteral("Wereld"));
        QCOMPARE(folder->read(Db), MapHeader + EuropaRecord + wereld + afrika);
        QCOMPARE(entries().value(1), QStringLiteral("De wereld"));
        checkSelection(false);
        select(0);
        click("cmdChange"); // cancelled
        fake->inputAnswers.enqueue(QStringLiteral("Europa\r\n"));
        click("cmdChange");
        QCOMPARE(fake->messages.size(), 2);
        QCOMPARE(fake->messages[0].text, QStringLiteral("Ongeldige naam"));
        QVERIFY(fake->messages[1].text.startsWith(QStringLiteral("De naam bevat een regelovergang")));
        QCOMPARE(folder->read(Db), MapHeader + EuropaRecord + wereld + afrika);
        fake->messages.clear();

        // Removing asks nothing and leaves the map's files; the last one leaves the buttons off.
        click("cmdRemove");
        QCOMPARE(folder->read(Db), MapHeader + wereld + afrika);
        checkSelection(false);
        for (int left = 1; left >= 0; --left) {
            select(0);
            click("cmdRemove");
            QCOMPARE(list()->count(), left);
        }
        QCOMPARE(folder->read(Db), MapHeader);
        checkSelection(false);
        QVERIFY(fake->messages.isEmpty());
        QVERIFY(folder->exists(QStringLiteral("europa.krt")));
    }

    void changedByAnotherTeacherMeanwhile()
    {
        // Two maps of the same name: only the whole record tells them apart.
        const QByteArray oud = "Europa                        oud.krt\r\n";
        const QByteArray afrika = "Afrika                        afrika.krt\r\n";
        folder->write(Db, MapHeader + EuropaRecord + oud + afrika);
        open();
        auto refusedAndRefreshed = [&](const QByteArray& file, const QStringList& shown) {
            QCOMPARE(folder->read(Db), file);
            QCOMPARE(fake->messages.size(), 1);
            QVERIFY(fake->messages[0].text.startsWith(
                QStringLiteral("De lijst in \"kaarten.sdb\" is intussen door iemand anders gewijzigd.")));
            fake->messages.clear();
            QVERIFY(fake->inputs.isEmpty());
            QCOMPARE(entries(), shown);
            checkSelection(false);
        };

        // The other teacher removes the first Europa; this one removes the first Europa listed.
        folder->write(Db, MapHeader + oud + afrika);
        select(0);
        click("cmdRemove");
        refusedAndRefreshed(MapHeader + oud + afrika, {QStringLiteral("Europa"), QStringLiteral("Afrika")});

        // Opening a map in the editor that the other just removed: no editor, no other map.
        select(1);
        folder->write(Db, MapHeader + oud);
        click("cmdEdit");
        refusedAndRefreshed(MapHeader + oud, {QStringLiteral("Europa")});
    }
};

QTEST_MAIN(TestFrmKaarten)
#include "tst_frmkaarten.moc"
