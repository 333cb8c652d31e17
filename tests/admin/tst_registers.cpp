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
    using FakeDialogs::message;
    MessageAnswer message(const QString& text, const QString& caption, MessageIcon icon,
                          MessageButtons buttons, MessageAnswer defaultButton) override
    {
        busyOverMessage |= QGuiApplication::overrideCursor() != nullptr;
        return FakeDialogs::message(text, caption, icon, buttons, defaultButton);
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
        // Adding has the focus; before the teacher picks, no entry looks chosen.
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdAdd"));
        QVERIFY(!list()->currentIndex().isValid());
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

        // Removing asks first, and Enter keeps her; Ja removes the second Anna.
        select(1);
        fake->messageAnswers.append({FakeDialogs::Key::Enter, MessageAnswer::Yes});
        click("cmdRemove");
        QCOMPARE(fake->messageTexts(),
                 QStringList{QStringLiteral("Weet u zeker dat u de leerling \"Anna\" wilt wissen?")});
        QCOMPARE(folder->read(Pupils), annas + "      Cees van Dijk \r\n");
        click("cmdRemove");
        QCOMPARE(folder->read(Pupils), PupilHeader + "00001Anna\r\n      Cees van Dijk \r\n");
        QVERIFY(nothingSelected());
    }

    void pupilNamesAreCheckedAndOfferedAgain()
    {
        const QByteArray sixty(60, 'x');
        const QByteArray two = pupils({"Anna", sixty});
        folder->write(Pupils, two);
        open<frmLeerlingen>();
        click("cmdAdd"); // no answer queued: the box is cancelled
        // Confirmed empty says nothing; blanks only are refused and offered again, then cancelled.
        fake->inputAnswers.append({QString(), QStringLiteral("   ")});
        click("cmdAdd");
        click("cmdAdd");
        QCOMPARE(fake->inputs.last().proposed, QStringLiteral("   "));
        // A name longer than the field, even unchanged on Wijzigen, is refused with the limit, not cut.
        select(1);
        fake->inputAnswers.enqueue(QString::fromLatin1(sixty));
        click("cmdChange");
        QCOMPARE(fake->inputs.last().proposed, QString::fromLatin1(sixty));
        QCOMPARE(folder->read(Pupils), two);
        QCOMPARE(fake->messageTexts(),
                 QStringList({QStringLiteral("De naam bestaat alleen uit spaties. Verbeter de naam."),
                              QStringLiteral("De naam is 60 tekens lang; er passen hoogstens 50 tekens in. "
                                             "Verbeter de naam.")}));

        // A tab is refused and the text offered again; a spreadsheet cell's one line break is dropped.
        fake->inputAnswers.append({QStringLiteral("Piet\tJansen"), QStringLiteral("Piet Jansen\n")});
        click("cmdAdd");
        QCOMPARE(fake->inputs.last().proposed, QStringLiteral("Piet\tJansen"));
        QCOMPARE(folder->read(Pupils), two + "     Piet Jansen\r\n");
        // Two lines are no name.
        fake->inputAnswers.enqueue(QStringLiteral("Cas\nDaan\n"));
        click("cmdAdd");
        QVERIFY(fake->messageTexts().last().startsWith(QStringLiteral("De naam bevat een regelovergang")));
        QCOMPARE(folder->read(Pupils), two + "     Piet Jansen\r\n");
    }

    void pupilsChangedByAnotherTeacherMeanwhile()
    {
        folder->write(Pupils, pupils({"Anna", "Bram", "Daan", "Fleur"}));
        open<frmLeerlingen>();
        // The other teacher removes Anna; this one still sees her and removes Daan: not Fleur.
        const QByteArray withoutAnna = pupils({"Bram", "Daan", "Fleur"});
        folder->write(Pupils, withoutAnna);
        select(2);
        fake->messageAnswers.enqueue(MessageAnswer::Yes);
        click("cmdRemove");
        QCOMPARE(folder->read(Pupils), withoutAnna);
        fake->messages.removeFirst(); // the question
        refusedAndRefreshed(Pupils, 3);
    }

    void addingMapFilesAndPictures()
    {
        // Without a map list one is made, which is said.
        QFile::remove(folder->file(Maps));
        const QByteArray europa = "europa.bmp\r\n1 s 1234 567  Utrecht\r\n";
        folder->write(QStringLiteral("europa.krt"), europa);
        folder->write(QStringLiteral("europa.bmp"), Picture);
        open<frmKaarten>();
        QCOMPARE(fake->messageTexts().last(), QStringLiteral("De nieuwe kaartendatabase is aangemaakt!"));
        fake->messages.clear();
        // A name longer than the list keeps is refused with the limit and offered again.
        fake->inputAnswers.enqueue(QStringLiteral("Europa en de landen eromheen, 1990"));
        add(folder->file(QStringLiteral("europa.krt")), QStringLiteral("Europa en de landen eromheen"));
        QCOMPARE(fake->inputs[0].proposed, QStringLiteral("europa"));
        QCOMPARE(fake->inputs[1].proposed, QStringLiteral("Europa en de landen eromheen, 1990"));
        QCOMPARE(fake->messageTexts(),
                 QStringList{QStringLiteral(
                     "De naam is 34 tekens lang; er passen hoogstens 30 tekens in. Verbeter de naam.")});
        // A picture from another folder: copied in, its new map file written in the program folder only.
        add(elsewhere(QStringLiteral("Holland.BMP"), Picture), QStringLiteral("Nederland"));
        QCOMPARE(folder->read(QStringLiteral("Holland.krt")), QByteArray("Holland.BMP\r\n"));
        QCOMPARE(folder->read(QStringLiteral("Holland.BMP")), Picture);
        QCOMPARE(QDir(folder->file(QStringLiteral("elders"))).entryList(QDir::Files),
                 QStringList{QStringLiteral("Holland.BMP")});

        // The picture of a map that is there: Enter keeps its map file and takes a free name;
        // cancelling the name writes nothing.
        const QStringList before = QDir(folder->path()).entryList(QDir::Files);
        fake->messageAnswers.enqueue(FakeDialogs::Key::Enter);
        add(folder->file(QStringLiteral("europa.bmp")));
        QCOMPARE(
            fake->messages[1].text,
            QStringLiteral("In de programmamap staat al een kaartbestand europa.krt. Wilt u dat kaartbestand "
                           "met zijn plaatsen toevoegen zoals het is?\n\nKies Nee voor een nieuw "
                           "kaartbestand europa-2.krt zonder plaatsen. Het bestaande kaartbestand blijft in "
                           "beide gevallen zoals het is."));
        QCOMPARE(QDir(folder->path()).entryList(QDir::Files), before);
        fake->messageAnswers.enqueue(FakeDialogs::Key::Enter);
        add(folder->file(QStringLiteral("europa.bmp")), QStringLiteral("Europa leeg"));
        QCOMPARE(folder->read(QStringLiteral("europa-2.krt")), QByteArray("europa.bmp\r\n"));
        // Ja adds the map file as it is; another map file of its name from elsewhere takes a free name.
        fake->messageAnswers.enqueue(MessageAnswer::Yes);
        add(folder->file(QStringLiteral("europa.bmp")), QStringLiteral("Europa"));
        elsewhere(QStringLiteral("europa.bmp"), Picture);
        const QByteArray parijs = "europa.bmp\r\n1 s 100  100  Parijs\r\n";
        add(elsewhere(QStringLiteral("europa.krt"), parijs), QStringLiteral("Frankrijk"));
        QCOMPARE(folder->read(QStringLiteral("europa.krt")), europa);
        QCOMPARE(folder->read(QStringLiteral("europa-3.krt")), parijs);
        QCOMPARE(folder->read(Maps), registerfiles::maps({{"Europa en de landen eromheen", "europa.krt"},
                                                          {"Nederland", "Holland.krt"},
                                                          {"Europa leeg", "europa-2.krt"},
                                                          {"Europa", "europa.krt"},
                                                          {"Frankrijk", "europa-3.krt"}}));
        QCOMPARE(list()->item(0)->text(), QStringLiteral("Europa en de landen eromheen"));
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

        // A name of blanks, offered again and then cancelled.
        add(elsewhere(QStringLiteral("kaart.bmp"), Picture), QStringLiteral("   "));
        QCOMPARE(fake->messageTexts().value(4), QStringLiteral("Ongeldige naam"));
        // A picture larger than a map file can hold items on is refused at once.
        QVERIFY(
            QImage(2200, 10, QImage::Format_RGB32).save(elsewhere(QStringLiteral("groot.bmp"), {}), "BMP"));
        add(folder->file(QStringLiteral("elders/groot.bmp")));
        QCOMPARE(
            fake->messageTexts().value(5),
            QStringLiteral("De afbeelding groot.bmp is 2200 × 10 beeldpunten groot. Een kaart kan plaatsen "
                           "bewaren tot 2192 beeldpunten rechts van en onder de linkerbovenhoek: maak de "
                           "afbeelding hoogstens 2192 × 2192 beeldpunten groot. Er is niets toegevoegd."));
        QCOMPARE(fake->inputs.size(), 2);

        // Another picture of the same name in the program folder: asked first, Enter keeps it.
        folder->write(QStringLiteral("europa.bmp"), "old picture");
        elsewhere(QStringLiteral("europa.bmp"), Picture);
        fake->messageAnswers.enqueue(FakeDialogs::Key::Enter);
        add(elsewhere(QStringLiteral("europa.krt"), "europa.bmp\r\n"), QStringLiteral("Europa"));
        QCOMPARE(fake->messages.value(6).text,
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
        QCOMPARE(list()->item(1)->text(), QStringLiteral("De wereld"));
        // Removing asks first, and Enter keeps the map; Ja removes it and leaves its files.
        select(0);
        fake->messageAnswers.enqueue(FakeDialogs::Key::Enter);
        click("cmdRemove");
        QCOMPARE(folder->read(Maps),
                 MapHeader + EuropaRecord + "De wereld                     Wereld Kaart.KRT \r\n" + afrika);
        fake->messageAnswers.enqueue(MessageAnswer::Yes);
        click("cmdRemove");
        QCOMPARE(fake->messages.value(0).text,
                 QStringLiteral("Weet u zeker dat u de kaart \"Europa\" wilt wissen? Het kaartbestand en de "
                                "afbeelding blijven in de programmamap."));
        QCOMPARE(folder->read(Maps),
                 MapHeader + "De wereld                     Wereld Kaart.KRT \r\n" + afrika);
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
