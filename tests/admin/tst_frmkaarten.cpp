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
    // Nothing selected, and so every button that needs a selection is off.
    bool nothingSelected()
    {
        return list()->selectedItems().isEmpty() && !drive::child(*window, "cmdChange")->isEnabled() &&
               !drive::child(*window, "cmdEdit")->isEnabled() &&
               !drive::child(*window, "cmdRemove")->isEnabled();
    }

private Q_SLOTS:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        folder->write(Db, MapHeader);
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

    void addingMapFilesAndPictures()
    {
        // Without a map list one is made, which is said.
        QFile::remove(folder->file(Db));
        folder->write(QStringLiteral("europa.krt"), "europa.bmp\r\n");
        folder->write(QStringLiteral("europa.bmp"), Picture);
        open();
        QCOMPARE(fake->messageTexts().last(), QStringLiteral("De nieuwe kaartendatabase is aangemaakt!"));
        fake->messages.clear();
        add(folder->file(QStringLiteral("europa.krt")), QStringLiteral("Europa en de landen eromheen, 1990"));
        QCOMPARE(fake->inputs[0].proposed, QStringLiteral("europa"));
        // A picture from another folder: copied in, with a new map file beside it in both folders.
        add(elsewhere(QStringLiteral("Holland.BMP"), Picture), QStringLiteral("Nederland"));
        QCOMPARE(fake->inputs[1].proposed, QStringLiteral("Holland"));
        QVERIFY(fake->messages.isEmpty());
        QCOMPARE(folder->read(QStringLiteral("elders/Holland.krt")), QByteArray("Holland.BMP\r\n"));
        QCOMPARE(folder->read(QStringLiteral("Holland.krt")), QByteArray("Holland.BMP\r\n"));
        QCOMPARE(folder->read(QStringLiteral("Holland.BMP")), Picture);
        // 35 characters cut to 30; 9 padded with 21 blanks.
        QCOMPARE(folder->read(Db), MapHeader + "Europa en de landen eromheen, europa.krt\r\n"
                                               "Nederland                     Holland.krt\r\n");
        QCOMPARE(list()->item(0)->text(), QStringLiteral("Europa en de landen eromheen,"));
        QVERIFY(nothingSelected());
        QVERIFY(!QGuiApplication::overrideCursor());

        // Closing closes the database.
        click("cmdEnd");
        QVERIFY(!window->isVisible());
        QVERIFY(!db->isOpen());
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

        // A name of blanks, then a cancelled file choice, which asks nothing further.
        add(elsewhere(QStringLiteral("kaart.bmp"), Picture), QStringLiteral("   "));
        click("cmdAdd");
        QCOMPARE(fake->inputs.size(), 1);
        QCOMPARE(fake->messageTexts().value(3), QStringLiteral("Ongeldige naam"));

        // Another file of the same name in the program folder: asked first, No keeps it.
        folder->write(QStringLiteral("europa.bmp"), "old picture");
        elsewhere(QStringLiteral("europa.bmp"), Picture);
        fake->messageAnswers.enqueue(MessageAnswer::No);
        add(elsewhere(QStringLiteral("europa.krt"), "europa.bmp\r\n"), QStringLiteral("Europa"));
        QCOMPARE(fake->messages.value(4).text,
                 QStringLiteral(
                     "In de programmamap staat al een ander bestand europa.bmp. Wilt u het vervangen?"));
        QCOMPARE(fake->messages[4].buttons, MessageButtons::YesNo);
        QCOMPARE(folder->read(QStringLiteral("europa.bmp")), QByteArray("old picture"));
        QCOMPARE(QDir(folder->path()).entryList(QDir::Files),
                 (QStringList{QStringLiteral("europa.bmp"), Db}));
        QCOMPARE(folder->read(Db), MapHeader);
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
        QCOMPARE(list()->item(2)->text(), QStringLiteral("Afrika"));
        select(1);
        QVERIFY(!nothingSelected());
        fake->inputAnswers.enqueue(QStringLiteral("De wereld"));
        click("cmdChange");
        QCOMPARE(fake->inputs[0].proposed, QStringLiteral("Wereld"));
        QCOMPARE(folder->read(Db), MapHeader + EuropaRecord + wereld + afrika);
        QVERIFY(nothingSelected());

        // Removing asks nothing and leaves the map's files.
        select(0);
        click("cmdRemove");
        QCOMPARE(folder->read(Db), MapHeader + wereld + afrika);
        QVERIFY(nothingSelected());
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
        // Opening a map in the editor that the other just removed: no editor, no other map.
        select(1);
        folder->write(Db, MapHeader + oud + afrika);
        click("cmdEdit");
        QCOMPARE(folder->read(Db), MapHeader + oud + afrika);
        QVERIFY(fake->messageTexts().value(0).startsWith(
            QStringLiteral("De lijst in \"kaarten.sdb\" is intussen door iemand anders gewijzigd.")));
        QCOMPARE(list()->count(), 2);
        QVERIFY(nothingSelected());
    }
};

QTEST_MAIN(TestFrmKaarten)
#include "tst_frmkaarten.moc"
