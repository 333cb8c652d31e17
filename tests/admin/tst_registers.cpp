#include "fakedialogs.h"
#include "frmkaarten.h"
#include "frmleerlingen.h"
#include "registerfiles.h"
#include "smartbase.h"
#include "testfolder.h"
#include "windowdriver.h"

#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QtTest>

using namespace velmora;
using korveladmin::frmKaarten;
using korveladmin::frmLeerlingen;
using registerfiles::MapHeader;
using registerfiles::PupilHeader;
using registerfiles::pupils;

namespace {

const QByteArray EuropaRecord = "Europa                        europa.krt\r\n";
const QByteArray Picture = "BM-not-really-a-picture";
const QString Maps = QStringLiteral("kaarten.sdb");
const QString Pupils = QStringLiteral("leerling.sdb");

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

// The registers of maps and of pupils, opened on the program's database.
class TestRegisters : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestFolder> folder;
    std::unique_ptr<DialogsWatchingThePointer> fake;
    std::unique_ptr<SmartBase> db;
    std::unique_ptr<QDialog> window;

    template <class Register> void open()
    {
        window = std::make_unique<Register>(*db);
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
        for (const char* name : {"cmdChange", "cmdEdit", "cmdRemove"}) {
            auto* button = window->findChild<QWidget*>(QLatin1StringView(name));
            if (button && button->isEnabled())
                return false;
        }
        return list()->selectedItems().isEmpty();
    }
    // The refusal when the list changed since it was shown: refreshed, nothing selected.
    void refusedAndRefreshed(const QString& file, int shown)
    {
        QVERIFY(fake->messageTexts().value(0).startsWith(
            QStringLiteral(
                "De lijst in \"%1\" is intussen door iemand anders gewijzigd. Er is niets veranderd.")
                .arg(file)));
        QCOMPARE(list()->count(), shown);
        QVERIFY(nothingSelected());
        QVERIFY(!fake->busyOverMessage);
    }

private Q_SLOTS:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("KorvelAdmin")); }
    void init()
    {
        folder = std::make_unique<TestFolder>();
        folder->write(Maps, MapHeader);
        QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("elders")));
        fake = std::make_unique<DialogsWatchingThePointer>();
        db = std::make_unique<SmartBase>([](const QString& m) { Dialogs::notify(m); });
    }
    void cleanup()
    {
        window.reset();
        db.reset();
        fake.reset();
        folder.reset();
    }

    void newPupilDatabaseWhenNoneIsUsableAndClosingClosesIt()
    {
        // Another database's file in its place: replaced, which is said. Closing closes the database.
        folder->write(Pupils, MapHeader);
        open<frmLeerlingen>();
        QCOMPARE(fake->messageTexts().last(),
                 QStringLiteral("Er is een nieuwe leerlingendatabase aangemaakt!"));
        QCOMPARE(folder->read(Pupils), PupilHeader);
        click("cmdEnd");
        QVERIFY(!window->isVisible());
        QVERIFY(!db->isOpen());

        // A register too large to be one is said, and kept as it is.
        QFile huge(folder->file(Pupils));
        QVERIFY(huge.resize(velmora::SmartBase::FileLimit + 1));
        open<frmLeerlingen>();
        QCOMPARE(fake->messageTexts().last(),
                 QStringLiteral("Het bestand \"leerling.sdb\" is te groot om te lezen."));
        QCOMPARE(QFileInfo(folder->file(Pupils)).size(), velmora::SmartBase::FileLimit + 1);
        QVERIFY(!drive::child(*window, "cmdAdd")->isEnabled());

        // A folder in the register's place: none can be made, so nothing can be added.
        QVERIFY(QFile::remove(folder->file(Pupils)) && QDir(folder->path()).mkdir(Pupils));
        open<frmLeerlingen>();
        QCOMPARE(fake->messages.last().icon, MessageIcon::Critical);
        QVERIFY(!drive::child(*window, "cmdAdd")->isEnabled());
        QVERIFY(!db->isOpen());
    }

    void addRenameRemovePupils()
    {
        // Hand-filled Ids show which record is which; the list shows only the names.
        const QByteArray annas = PupilHeader + "00001Anna\r\n00002Anna\r\n";
        folder->write(Pupils, annas);
        open<frmLeerlingen>();
        QCOMPARE(list()->item(1)->text(), QStringLiteral("Anna"));
        // Letters of the code page are fine.
        fake->inputAnswers.enqueue(QStringLiteral("Zoë Müller-Çelik"));
        click("cmdAdd");
        QCOMPARE(folder->read(Pupils), annas + "     Zo\xeb M\xfcller-\xc7"
                                               "elik\r\n");

        // Renaming keeps the place and the blanks; the refill selects nothing, so the buttons go off.
        select(2);
        QVERIFY(!nothingSelected());
        fake->inputAnswers.enqueue(QStringLiteral(" Cees van Dijk "));
        click("cmdChange");
        QCOMPARE(fake->inputs.last().proposed, QStringLiteral("Zoë Müller-Çelik"));
        QCOMPARE(folder->read(Pupils), annas + "      Cees van Dijk \r\n");
        QVERIFY(nothingSelected());

        // Removing the second Anna, without a question.
        select(1);
        click("cmdRemove");
        QCOMPARE(folder->read(Pupils), PupilHeader + "00001Anna\r\n      Cees van Dijk \r\n");
        QVERIFY(nothingSelected());
        QVERIFY(fake->messages.isEmpty());
    }

    void cancelledOrRefusedPupilNamesLeaveTheFileUntouched()
    {
        const QByteArray two = pupils({"Anna", "Bram"});
        folder->write(Pupils, two);
        open<frmLeerlingen>();
        click("cmdAdd"); // no answer queued: the box is cancelled
        // Confirmed empty says nothing; blanks only would be a pupil without a name.
        // A cell pasted from a spreadsheet ends in a line break, which would break the file.
        fake->inputAnswers.append({QString(), QStringLiteral("   "), QStringLiteral("Cas\r\n")});
        click("cmdAdd");
        click("cmdAdd");
        select(0);
        click("cmdChange");
        QCOMPARE(folder->read(Pupils), two);
        QCOMPARE(fake->messageTexts().value(0),
                 QStringLiteral("De naam bestaat alleen uit spaties. Er is niets veranderd."));
        QVERIFY(fake->messageTexts().value(1).startsWith(QStringLiteral("De naam bevat een regelovergang")));
    }

    void pupilsChangedByAnotherTeacherMeanwhile()
    {
        folder->write(Pupils, pupils({"Anna", "Bram", "Daan", "Fleur"}));
        open<frmLeerlingen>();
        // The other teacher removes Anna; this one still sees her and removes Daan: not Fleur.
        const QByteArray withoutAnna = pupils({"Bram", "Daan", "Fleur"});
        folder->write(Pupils, withoutAnna);
        select(2);
        click("cmdRemove");
        QCOMPARE(folder->read(Pupils), withoutAnna);
        refusedAndRefreshed(Pupils, 3);
    }

    void addingMapFilesAndPictures()
    {
        // Without a map list one is made, which is said.
        QFile::remove(folder->file(Maps));
        folder->write(QStringLiteral("europa.krt"), "europa.bmp\r\n");
        folder->write(QStringLiteral("europa.bmp"), Picture);
        open<frmKaarten>();
        QCOMPARE(fake->messageTexts().last(), QStringLiteral("De nieuwe kaartendatabase is aangemaakt!"));
        fake->messages.clear();
        add(folder->file(QStringLiteral("europa.krt")), QStringLiteral("Europa en de landen eromheen, 1990"));
        QCOMPARE(fake->inputs[0].proposed, QStringLiteral("europa"));
        // A picture from another folder: copied in, with a new map file beside it in both folders.
        add(elsewhere(QStringLiteral("Holland.BMP"), Picture), QStringLiteral("Nederland"));
        QVERIFY(fake->messages.isEmpty());
        QCOMPARE(folder->read(QStringLiteral("elders/Holland.krt")), QByteArray("Holland.BMP\r\n"));
        QCOMPARE(folder->read(QStringLiteral("Holland.krt")), QByteArray("Holland.BMP\r\n"));
        QCOMPARE(folder->read(QStringLiteral("Holland.BMP")), Picture);
        // 35 characters cut to 30; 9 padded with 21 blanks.
        QCOMPARE(folder->read(Maps), MapHeader + "Europa en de landen eromheen, europa.krt\r\n"
                                                 "Nederland                     Holland.krt\r\n");
        QCOMPARE(list()->item(0)->text(), QStringLiteral("Europa en de landen eromheen,"));
    }

    void refusalsChangeNothing()
    {
        open<frmKaarten>();
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

        // A name of blanks.
        add(elsewhere(QStringLiteral("kaart.bmp"), Picture), QStringLiteral("   "));
        QCOMPARE(fake->messageTexts().value(3), QStringLiteral("Ongeldige naam"));

        // Another file of the same name in the program folder: asked first, No keeps it.
        folder->write(QStringLiteral("europa.bmp"), "old picture");
        elsewhere(QStringLiteral("europa.bmp"), Picture);
        fake->messageAnswers.enqueue(MessageAnswer::No);
        add(elsewhere(QStringLiteral("europa.krt"), "europa.bmp\r\n"), QStringLiteral("Europa"));
        QCOMPARE(fake->messages.value(4).text,
                 QStringLiteral(
                     "In de programmamap staat al een ander bestand europa.bmp. Wilt u het vervangen?"));
        QCOMPARE(folder->read(QStringLiteral("europa.bmp")), QByteArray("old picture"));
        QCOMPARE(QDir(folder->path()).entryList(QDir::Files),
                 (QStringList{QStringLiteral("europa.bmp"), Maps}));
        QCOMPARE(folder->read(Maps), MapHeader);
    }

    void renamingAndRemovingMaps()
    {
        // A hand-made map file field with a blank at its end, a name with blanks before it.
        const QByteArray afrika = "  Afrika                      afrika.krt\r\n";
        folder->write(Maps, MapHeader + EuropaRecord + "Wereld                        Wereld Kaart.KRT \r\n" +
                                afrika);
        folder->write(QStringLiteral("europa.krt"), "europa.bmp\r\n");
        open<frmKaarten>();
        QCOMPARE(list()->item(2)->text(), QStringLiteral("Afrika"));
        select(1);
        fake->inputAnswers.enqueue(QStringLiteral("De wereld"));
        click("cmdChange");
        QCOMPARE(fake->inputs[0].proposed, QStringLiteral("Wereld"));
        // Removing asks nothing and leaves the map's files.
        select(0);
        click("cmdRemove");
        QCOMPARE(folder->read(Maps),
                 MapHeader + "De wereld                     Wereld Kaart.KRT \r\n" + afrika);
        QVERIFY(fake->messages.isEmpty());
        QVERIFY(folder->exists(QStringLiteral("europa.krt")));
    }

    void mapsChangedByAnotherTeacherMeanwhile()
    {
        // Two maps of the same name: only the whole record tells them apart.
        const QByteArray oud = "Europa                        oud.krt\r\n";
        const QByteArray afrika = "Afrika                        afrika.krt\r\n";
        folder->write(Maps, MapHeader + EuropaRecord + oud + afrika);
        open<frmKaarten>();
        // Opening a map in the editor that the other just removed: no editor, no other map.
        select(1);
        folder->write(Maps, MapHeader + oud + afrika);
        click("cmdEdit");
        QCOMPARE(folder->read(Maps), MapHeader + oud + afrika);
        refusedAndRefreshed(Maps, 2);
    }

    void editingOpensTheMapEditor()
    {
        folder->write(Maps, MapHeader + EuropaRecord);
        folder->write(QStringLiteral("europa.krt"), "europa.bmp\r\n1 s 1234 567  Utrecht\r\n");
        QImage picture(300, 200, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QVERIFY(picture.save(folder->file(QStringLiteral("europa.bmp")), "BMP"));
        open<frmKaarten>();
        select(0);
        QString caption;
        QTimer::singleShot(0, this, [&] {
            QWidget* editor = QApplication::activeModalWidget();
            if (!editor)
                return; // never opened: the caption stays empty and the check below fails
            caption = editor->windowTitle();
            // Should it ask anyway, "Nee" still lets it close, and the check below fails.
            fake->messageAnswers.enqueue(MessageAnswer::No);
            QTest::mouseClick(drive::child(*editor, "cmdClose"), Qt::LeftButton);
        });
        click("cmdEdit");
        QCOMPARE(caption, QStringLiteral("Europa"));
        QVERIFY(fake->messages.isEmpty()); // nothing changed, nothing asked
        QVERIFY(db->isOpen());
    }
};

QTEST_MAIN(TestRegisters)
#include "tst_registers.moc"
