#include "fakedialogs.h"
#include "frmkaartedit.h"
#include "frmkaarten.h"
#include "mapfile.h"
#include "registerfiles.h"
#include "smartbase.h"
#include "testfolder.h"
#include "twipsgeometry.h"
#include "windowdriver.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace velmora;
using korveladmin::frmKaartEdit;

namespace {

const QString Krt = QStringLiteral("europa.krt");
// Coordinates that are no multiples of 15, a kind in capitals, an unknown
// kind, a level no option stands for, and blanks around a name.
const QByteArray Europa = "europa.bmp\r\n"
                          "1 s 1234 567  Utrecht\r\n"
                          "2 D 100  4400 Oost\r\n"
                          "3 x 2900 7    Hoekje\r\n"
                          "7 w 500  500    Meer \r\n";
const QString ChangeText = QStringLiteral("Klik op de plaats, het water of gebied dat u wilt aanpassen");
const QString RemoveText =
    QStringLiteral("Klik op de plaats, het water of het gebied dat u wilt verwijderen");

// A map file of `count` items at one spot.
QByteArray crowded(int count)
{
    return "europa.bmp\r\n" + QByteArray("1 s 100  100  X\r\n").repeated(count);
}

QImage plainPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor(250, 240, 200));
    return picture;
}

} // namespace

class TestFrmKaartEdit : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeDialogs> fake;
    std::unique_ptr<TestFolder> folder;
    std::unique_ptr<SmartBase> db;
    std::unique_ptr<frmKaartEdit> editor;

    // A program folder with the map database open on one map, Europa, whose
    // picture is 300 x 200 pixels (4500 x 3000 twips) unless told otherwise.
    void prepare(const QByteArray& krt, const QImage& picture = plainPicture(300, 200))
    {
        cleanupMap(); // the old folder first: it unsets the program folder when it goes
        folder = std::make_unique<TestFolder>();
        QVERIFY(picture.save(folder->file(QStringLiteral("europa.bmp")), "BMP"));
        folder->write(QStringLiteral("kaarten.sdb"), registerfiles::maps({{"Europa", "europa.krt"}}));
        folder->write(Krt, krt);
        db = std::make_unique<SmartBase>([](const QString& m) { Dialogs::notify(m); });
        db->OpenDatabase(folder->file(QStringLiteral("kaarten.sdb")));
    }
    void start(int recordNo = 1)
    {
        editor = std::make_unique<frmKaartEdit>(*db, recordNo, QStringLiteral("Europa"));
        QVERIFY(editor->load());
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
    }
    void open(const QByteArray& krt, const QImage& picture = plainPicture(300, 200))
    {
        prepare(krt, picture);
        start();
    }
    // What takes a press at the centre of `name`: the widget on top there, if the window shows that point.
    QWidget* onTop(const QString& name)
    {
        QWidget* widget = find(name);
        return editor->childAt(widget->mapTo(editor.get(), widget->rect().center()));
    }
    template <class T = QWidget> T* find(const QString& name) { return editor->findChild<T*>(name); }
    QRect twips(const QString& name) { return TwipsGeometry::get(find(name)); }
    void click(const QString& name)
    {
        QTest::mouseClick(find(name), Qt::LeftButton, {}, find(name)->rect().center());
    }
    // A click where the teacher points on the picture: whatever lies on top there takes it.
    void clickAt(QPoint twipsOnPicture)
    {
        QWidget* picture = find(QStringLiteral("Picture1"));
        const QPoint px(twipsOnPicture.x() / 15, twipsOnPicture.y() / 15);
        QWidget* target = picture->childAt(px) ? picture->childAt(px) : picture;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(picture, px));
    }
    int items() { return editor->state().AantPlaatsen(); }
    int mode() { return editor->state().AddSoort(); }
    QString status() { return find<QLabel>(QStringLiteral("lblStatus"))->text(); }
    QLineEdit* nameBox(int i) { return find<QLineEdit>(QStringLiteral("txtPlaatsnaam_%1").arg(i)); }
    bool panelOpen(int i) { return find(QStringLiteral("EditFrame_%1").arg(i))->isVisible(); }
    int checkedLevel(int i)
    {
        for (int level = 1; level <= 3; ++level) {
            if (find<QRadioButton>(QStringLiteral("Niveau%1_%2").arg(level).arg(i))->isChecked())
                return level;
        }
        return 0;
    }
    QString tag(int i) { return find(QStringLiteral("shpPlaatsSml_%1").arg(i))->property("Tag").toString(); }
    // Places an item of the kind of `button` with a click at `at`.
    void place(const QString& button, QPoint at)
    {
        click(button);
        clickAt(at);
    }
    // Removes the item under `at`, answering the question with `answer`.
    void removeAt(QPoint at, MessageAnswer answer)
    {
        click(QStringLiteral("cmdRemove"));
        fake->messageAnswers.enqueue(answer);
        clickAt(at);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void cleanupMap()
    {
        editor.reset();
        db.reset();
        folder.reset();
    }
    void close(MessageAnswer answer)
    {
        fake->messageAnswers.enqueue(answer);
        click(QStringLiteral("cmdClose"));
    }

private Q_SLOTS:
    void init() { fake = std::make_unique<FakeDialogs>(); }
    void cleanup()
    {
        cleanupMap();
        fake.reset();
    }

    void openingBuildsEveryItemAndSavesItUnchanged()
    {
        open(Europa);
        QVERIFY(editor->isMaximized());
        QCOMPARE(status(), ChangeText);
        QCOMPARE(twips(QStringLiteral("Picture1")), QRect(240, 1080, 4500, 3000));
        // Legend beside the picture, its bottom level with the picture's.
        QCOMPARE(twips(QStringLiteral("Legenda")), QRect(4500 + 355, 1080 + 3000 - 2055, 2055, 2055));
        // 567 - 727 + 155 is just left of the picture.
        QCOMPARE(twips(QStringLiteral("EditFrame_1")), QRect(0, 1234 + 260, 1455, 615));
        // Near the right edge the panel is pulled in; near the bottom it goes up, at the left edge to 0.
        QCOMPARE(twips(QStringLiteral("EditFrame_2")).topLeft(), QPoint(4500 - 1455, 360));
        QCOMPARE(twips(QStringLiteral("EditFrame_3")).topLeft(), QPoint(0, 3000 - 615));
        QVERIFY(!panelOpen(1) && !panelOpen(2) && !panelOpen(3) && !panelOpen(4));
        QCOMPARE(QStringList({tag(1), tag(2), tag(3), tag(4)}),
                 QStringList(
                     {QStringLiteral("s"), QStringLiteral("d"), QStringLiteral("x"), QStringLiteral("w")}));
        QCOMPARE(nameBox(4)->text(), QStringLiteral("  Meer "));
        QCOMPARE(QList<int>({checkedLevel(1), checkedLevel(2), checkedLevel(3), checkedLevel(4)}),
                 QList<int>({1, 2, 3, 0}));

        // Saved after one change: the other item lines as they were read, level 7 dropped.
        QTest::keyClicks(nameBox(1), QStringLiteral(" stad"));
        close(MessageAnswer::Yes);
        QCOMPARE(editor->result(), int(QDialog::Accepted));
        QCOMPARE(folder->read(Krt), QByteArray("europa.bmp\r\n"
                                               "1 s 1234 567  Utrecht stad\r\n"
                                               "2 d 100  4400 Oost\r\n"
                                               "3 x 2900 7    Hoekje\r\n"));
    }

    // A teacher reaches every button where it shows: nothing lies over it.
    void everyButtonCanBeReached()
    {
        // A picture wider than the place of "Sluiten", on a full HD screen.
        open(Europa, plainPicture(1300, 700));
        editor->resize(1920, 1080);
        for (const char* name : {"cmdClose", "cmdChange", "cmdRemove", "cmdAddGroot", "cmdAddKlein",
                                 "cmdAddWater", "cmdAddArea", "cmdAddArea1"})
            QCOMPARE(onTop(QString::fromLatin1(name)), find(QString::fromLatin1(name)));
        // An open panel stays above the items placed after it.
        clickAt(QPoint(700, 1300));
        QVERIFY(panelOpen(1));
        const QRect panel = twips(QStringLiteral("EditFrame_1"));
        place(QStringLiteral("cmdAddKlein"), QPoint(panel.left() + 200, panel.bottom() + 30));
        QCOMPARE(items(), 5);
        QCOMPARE(onTop(QStringLiteral("Niveau1_1")), find(QStringLiteral("Niveau1_1")));

        // The demo map Europa on a 1366 x 768 laptop: shown smaller, every item within reach.
        QFile demo(QFINDTESTDATA("../../../demo/europa.krt"));
        QVERIFY(demo.open(QIODevice::ReadOnly));
        const QByteArray europa = demo.readAll();
        const QImage natural(QFINDTESTDATA("../../../demo/europa.bmp"));
        open(europa, natural);
        editor->resize(1366, 768);
        QWidget* picture = find(QStringLiteral("Picture1"));
        const qreal scale = picture->width() / qreal(natural.width());
        QVERIFY(scale < 0.8);
        for (int i = 1; i <= items(); ++i) {
            const QString spot = QStringLiteral("HotSpot_%1").arg(i);
            QVERIFY(picture->rect().contains(find(spot)->geometry()));
            QCOMPARE(onTop(spot), find(spot));
        }
        // A new item lands within one picture pixel of the click; every other line stays as it was.
        const QPoint at(400, 60);
        QVERIFY(!picture->childAt(at));
        click(QStringLiteral("cmdAddKlein"));
        QTest::mouseClick(picture, Qt::LeftButton, {}, at);
        fake->messageAnswers.enqueue(MessageAnswer::Yes);
        QWidget* sluiten = onTop(QStringLiteral("cmdClose"));
        QCOMPARE(sluiten, find(QStringLiteral("cmdClose")));
        QTest::mouseClick(sluiten, Qt::LeftButton);
        QVERIFY(!editor->isVisible());
        const QByteArray saved = folder->read(Krt);
        QList<QByteArray> lines = saved.split('\n');
        const QList<QByteArray> before = europa.split('\n');
        qsizetype added = 0;
        while (added < before.size() && lines[added] == before[added])
            ++added;
        const QByteArray line = lines.takeAt(added);
        QCOMPARE(lines, before);
        QVERIFY2(qAbs(line.mid(4, 5).trimmed().toInt() + 120 - at.y() * 15 / scale) <= 15, line.constData());
        QVERIFY2(qAbs(line.mid(9, 5).trimmed().toInt() + 120 - at.x() * 15 / scale) <= 15, line.constData());
    }

    void modesAndTheirTexts()
    {
        open("europa.bmp\r\n");
        // Without items "Wissen" changes neither mode nor text.
        click(QStringLiteral("cmdRemove"));
        QCOMPARE(mode(), 0);
        QCOMPARE(status(), ChangeText);

        // Each kind has two buttons: "+" and its swatch. Each places its own kind, and every
        // placement ends in change mode with an empty status line.
        const QList<std::tuple<QString, int, QChar>> kinds = {{QStringLiteral("cmdAddGroot"), 1, u's'},
                                                              {QStringLiteral("cmdAddKlein"), 2, u'd'},
                                                              {QStringLiteral("cmdAddWater"), 3, u'w'},
                                                              {QStringLiteral("cmdAddArea"), 4, u'g'}};
        for (const auto& [button, kind, letter] : kinds) {
            for (const QString& control : {button, button + u'1'}) {
                click(QStringLiteral("cmdChange"));
                QCOMPARE(mode(), 0);
                QCOMPARE(status(), ChangeText);
                click(control);
                QCOMPARE(mode(), kind);
            }
            clickAt(QPoint(600 * kind, 600 * kind));
            QCOMPARE(items(), kind);
            QCOMPARE(tag(kind), QString(letter));
            QCOMPARE(mode(), 0);
            QCOMPARE(status(), QString());
        }
        // In change and remove mode a press on empty map does nothing.
        clickAt(QPoint(4000, 300));
        click(QStringLiteral("cmdRemove"));
        QCOMPARE(status(), RemoveText);
        clickAt(QPoint(4000, 300));
        QCOMPARE(items(), 4);
        QCOMPARE(mode(), -1);
        QVERIFY(fake->messages.isEmpty());
    }

    void placingAndPanels()
    {
        open("europa.bmp\r\n1 s 1234 567  Utrecht\r\n");
        // The marker at the click - 120 twips, its panel at the click + 155 below.
        place(QStringLiteral("cmdAddGroot"), QPoint(1500, 1200));
        QCOMPARE(twips(QStringLiteral("shpPlaatsSml_2")), QRect(1380, 1080, 255, 255));
        QCOMPARE(twips(QStringLiteral("HotSpot_2")), QRect(1260, 960, 480, 450));
        QCOMPARE(twips(QStringLiteral("EditFrame_2")), QRect(1500 - 727 + 35, 1200 + 155, 1455, 615));
        QVERIFY(!panelOpen(2));

        // A click on an item opens its panel, closing any other.
        clickAt(QPoint(1500, 1200));
        QVERIFY(panelOpen(2));
        QCOMPARE(editor->focusWidget(), nameBox(2));
        QTest::keyClicks(nameBox(2), QStringLiteral("  Amersfoort "));
        click(QStringLiteral("Niveau3_2"));
        clickAt(QPoint(600, 1250));
        QVERIFY(panelOpen(1) && !panelOpen(2));

        // A pending add mode survives opening another item's panel.
        click(QStringLiteral("cmdAddWater1"));
        clickAt(QPoint(1500, 1200));
        QVERIFY(panelOpen(2) && !panelOpen(1));
        QCOMPARE(mode(), 3);
        // A press on the open panel is no press on the map (the file below holds no item there).
        clickAt(twips(QStringLiteral("EditFrame_2")).topLeft() + QPoint(400, 500));
        // Near the top-left corner: a marker above and left of the picture.
        clickAt(QPoint(60, 45));
        QCOMPARE(twips(QStringLiteral("shpPlaatsSml_3")).topLeft(), QPoint(-60, -75));
        QCOMPARE(twips(QStringLiteral("EditFrame_3")).topLeft(), QPoint(0, 200));
        QCOMPARE(mode(), 0);
        click(QStringLiteral("cmdCloseEdit_2"));
        QVERIFY(!panelOpen(2));

        close(MessageAnswer::Yes);
        QCOMPARE(folder->read(Krt), QByteArray("europa.bmp\r\n"
                                               "1 s 1234 567  Utrecht\r\n"
                                               "1 w -75  -60  \r\n"
                                               "3 s 1080 1380 Amersfoort\r\n"));
    }

    void removing()
    {
        open("europa.bmp\r\n1 s 300  300  Een\r\n2 w 1200 1200 Twee\r\n3 g 2100 2100 Drie\r\n");
        // Remove mode, answered No: change mode, nothing removed, the text stays.
        removeAt(QPoint(400, 400), MessageAnswer::No);
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].text, QStringLiteral("Weet u zeker dat u Een wilt verwijderen?"));
        QCOMPARE(items(), 3);
        QCOMPARE(mode(), 0);
        QCOMPARE(status(), RemoveText);
        // Now in change mode: the click opens the panel instead.
        clickAt(QPoint(1300, 1300));
        QVERIFY(panelOpen(2));

        // Removing item 1 of 3 renumbers the others, their panels too.
        removeAt(QPoint(400, 400), MessageAnswer::Yes);
        QCOMPARE(items(), 2);
        QCOMPARE(mode(), 0);
        QCOMPARE(status(), QString());
        QCOMPARE(twips(QStringLiteral("shpPlaatsSml_1")).topLeft(), QPoint(1200, 1200));
        QCOMPARE(twips(QStringLiteral("shpPlaatsSml_2")).topLeft(), QPoint(2100, 2100));
        QCOMPARE(QStringList({tag(1), tag(2)}), QStringList({QStringLiteral("w"), QStringLiteral("g")}));
        QCOMPARE(QStringList({nameBox(1)->text(), nameBox(2)->text()}),
                 QStringList({QStringLiteral("Twee"), QStringLiteral("Drie")}));
        QCOMPARE(QList<int>({checkedLevel(1), checkedLevel(2)}), QList<int>({2, 3}));
        QVERIFY(!find(QStringLiteral("EditFrame_3")));
        QVERIFY(panelOpen(1) && !panelOpen(2));

        // Then the last items.
        removeAt(QPoint(2200, 2200), MessageAnswer::Yes);
        removeAt(QPoint(1300, 1300), MessageAnswer::Yes);
        // The emptied map: the picture line alone.
        close(MessageAnswer::Yes);
        QCOMPARE(folder->read(Krt), QByteArray("europa.bmp\r\n"));
    }

    // Every way of closing asks the save question, and only after a change.
    void closingAsksOnlyAfterChanges()
    {
        open(Europa);
        editor->close();
        QVERIFY(!editor->isVisible());
        QVERIFY(fake->messages.isEmpty());
        QCOMPARE(folder->read(Krt), Europa);

        // The close box, Alt+F4 and logging out close the window as close() does.
        open(Europa);
        place(QStringLiteral("cmdAddGroot"), QPoint(3000, 2000));
        clickAt(QPoint(3000, 2000));
        fake->messageAnswers.enqueue(MessageAnswer::Cancel);
        QVERIFY(!editor->close());
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].buttons, MessageButtons::YesNoCancel);
        QVERIFY(editor->isVisible());
        QVERIFY(panelOpen(5));
        QCOMPARE(items(), 5);
        QCOMPARE(folder->read(Krt), Europa);
        // Escape is no way out.
        QTest::keyClick(editor.get(), Qt::Key_Escape);
        QVERIFY(editor->isVisible());
        close(MessageAnswer::No);
        QVERIFY(!editor->isVisible());
        QCOMPARE(editor->result(), int(QDialog::Rejected));
        QCOMPARE(folder->read(Krt), Europa);

        open(Europa);
        place(QStringLiteral("cmdAddGroot"), QPoint(3000, 2000));
        fake->messageAnswers.enqueue(MessageAnswer::Yes);
        QVERIFY(editor->close());
        QCOMPARE(folder->read(Krt), QByteArray("europa.bmp\r\n"
                                               "1 s 1234 567  Utrecht\r\n"
                                               "1 s 1875 2880 \r\n"
                                               "2 d 100  4400 Oost\r\n"
                                               "3 x 2900 7    Hoekje\r\n"));
    }

    void pastedNamesAndAFailedSave()
    {
        open(Europa);
        // Pasted from a spreadsheet or another program: refused at once, the name stays.
        for (const QString& pasted : {QStringLiteral("Utrecht\r\n"), QStringLiteral("Łódź")}) {
            QGuiApplication::clipboard()->setText(pasted);
            nameBox(1)->selectAll();
            QTest::keyClick(nameBox(1), Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(nameBox(1)->text(), QStringLiteral("Utrecht"));
            QVERIFY2(fake->messages.last().text.startsWith(QStringLiteral("De naam bevat ")),
                     qPrintable(fake->messages.last().text));
            QCOMPARE(fake->messages.last().icon, MessageIcon::Critical);
        }
        QCOMPARE(fake->messages.size(), 2);
        QCOMPARE(editor->state().item(1).place.Naam, QStringLiteral("Utrecht"));
        // Nothing changed: no question, the file byte for byte as it was.
        editor->close();
        QCOMPARE(fake->messages.size(), 2);
        QCOMPARE(folder->read(Krt), Europa);

        // A save that fails keeps the editor open with its edits; the next try saves them.
        open(Europa);
        nameBox(1)->setText(QStringLiteral("Lodz"));
        QVERIFY(QFile::remove(folder->file(Krt)) && QDir(folder->path()).mkdir(Krt));
        close(MessageAnswer::Yes);
        QVERIFY(
            fake->messages.last().text.startsWith(QStringLiteral("\"europa.krt\" is geen gewoon bestand")));
        QVERIFY(editor->isVisible());
        QCOMPARE(nameBox(1)->text(), QStringLiteral("Lodz"));
        QVERIFY(QDir(folder->path()).rmdir(Krt));
        close(MessageAnswer::Yes);
        QVERIFY(!editor->isVisible());
        QVERIFY(folder->read(Krt).contains("1 s 1234 567  Lodz\r\n"));
    }

    void placementsAMapCannotHoldAreRefused()
    {
        // A 501st placement is refused.
        open(crowded(500));
        place(QStringLiteral("cmdAddGroot"), QPoint(3000, 2000));
        QCOMPARE(items(), 500);
        QVERIFY(!find(QStringLiteral("HotSpot_501")));
        QCOMPARE(fake->messages.size(), 1);
        QVERIFY(fake->messages[0].text.contains(QStringLiteral("500")));
        QCOMPARE(mode(), 0);

        // A marker more than 32767 twips right of or below the picture's corner cannot be stored:
        // refused with the add mode kept; one pixel less is placed, saved and read back.
        fake->messages.clear();
        QImage large(2300, 2300, QImage::Format_Mono);
        large.fill(1);
        open("europa.bmp\r\n", large);
        editor->resize(2300 + 180, 2300 + 80); // the picture at its own size
        click(QStringLiteral("cmdAddWater"));
        for (const QPoint at : {QPoint(2193 * 15, 750), QPoint(750, 2193 * 15)}) {
            clickAt(at);
            QCOMPARE(items(), 0);
            QCOMPARE(mode(), 3);
        }
        QCOMPARE(fake->messages.size(), 2);
        QCOMPARE(fake->messages[0].text,
                 QStringLiteral(
                     "Een kaartbestand kan geen plaats, water of gebied bewaren dat verder dan 2184 "
                     "beeldpunten rechts van of onder de linkerbovenhoek van de kaart ligt. Er is niets "
                     "toegevoegd; klik dichter bij die hoek."));
        clickAt(QPoint(2192 * 15, 2192 * 15));
        QCOMPARE(items(), 1);
        close(MessageAnswer::Yes);
        QCOMPARE(folder->read(Krt), QByteArray("europa.bmp\r\n1 w 3276032760\r\n"));
        QVERIFY(std::holds_alternative<MapFile::Contents>(MapFile::readFile(Krt)));
    }

    // Another teacher changes the map list while this one edits: the edits go
    // to the file that was opened, never to another map's file.
    void savesToTheMapFileItOpened()
    {
        const QByteArray wereld = "wereld.bmp\r\n1 g 200  200  IJsland\r\n";
        prepare(Europa);
        folder->write(QStringLiteral("wereld.krt"), wereld);
        folder->write(
            QStringLiteral("kaarten.sdb"),
            registerfiles::maps({{"Azie", "azie.krt"}, {"Europa", "europa.krt"}, {"Wereld", "wereld.krt"}}));
        start(2);
        // Azie is removed: record 2 now names Wereld's file.
        folder->write(QStringLiteral("kaarten.sdb"),
                      registerfiles::maps({{"Europa", "europa.krt"}, {"Wereld", "wereld.krt"}}));
        place(QStringLiteral("cmdAddGroot"), QPoint(3000, 2000));
        close(MessageAnswer::Yes);
        QCOMPARE(fake->messages.size(), 1);
        QVERIFY(!editor->isVisible());
        QVERIFY(folder->read(Krt).contains("1 s 1875 2880 \r\n"));
        QCOMPARE(folder->read(QStringLiteral("wereld.krt")), wereld);

        // Europa itself is removed: the teacher is told, and saves only when she chooses to.
        const QByteArray saved = folder->read(Krt);
        start(1);
        folder->write(QStringLiteral("kaarten.sdb"), registerfiles::maps({{"Wereld", "wereld.krt"}}));
        place(QStringLiteral("cmdAddGroot"), QPoint(600, 600));
        fake->messageAnswers.enqueue(MessageAnswer::Yes);
        close(MessageAnswer::No);
        QCOMPARE(fake->messages.last().text,
                 QStringLiteral(
                     "De kaart \"Europa\" staat niet meer in de lijst met kaarten: iemand anders heeft de "
                     "lijst intussen veranderd.\n\nWilt u uw wijzigingen toch bewaren in het bestand "
                     "\"europa.krt\", waaruit u de kaart hebt geopend? Geen andere kaart gebruikt dat "
                     "bestand."));
        QVERIFY(editor->isVisible());
        QCOMPARE(folder->read(Krt), saved);
        fake->messageAnswers.enqueue(MessageAnswer::Yes);
        close(MessageAnswer::Yes);
        QVERIFY(!editor->isVisible());
        QVERIFY(folder->read(Krt).contains("1 s 480  480  \r\n"));
        QCOMPARE(folder->read(QStringLiteral("wereld.krt")), wereld);
    }

    void openedFromTheRegister()
    {
        prepare(Europa);
        db->CloseDatabase();
        korveladmin::frmKaarten reg(*db);
        reg.show();
        auto* list = reg.findChild<QListWidget*>(QStringLiteral("List"));
        list->setCurrentRow(0);
        QString caption;
        QTimer::singleShot(0, this, [&] {
            auto* opened = qobject_cast<frmKaartEdit*>(QApplication::activeModalWidget());
            QVERIFY(opened);
            caption = opened->windowTitle();
            QTest::mouseClick(opened->findChild<QPushButton*>(QStringLiteral("cmdClose")), Qt::LeftButton);
        });
        QTest::mouseClick(reg.findChild<QPushButton*>(QStringLiteral("cmdEdit")), Qt::LeftButton);
        QCOMPARE(caption, QStringLiteral("Europa"));
        QCOMPARE(list->currentRow(), 0);
        QVERIFY(db->isOpen());

        // A map with a malformed line: a message, no editor, and the register goes on.
        folder->write(Krt, "europa.bmp\r\n1 s 1234 567  Utrecht\r\n1 s abc  567  Kapot\r\n");
        QTest::mouseClick(reg.findChild<QPushButton*>(QStringLiteral("cmdEdit")), Qt::LeftButton);
        QCOMPARE(fake->messages.last().text,
                 QStringLiteral("Regel 3 van het bestand \"europa.krt\" is onleesbaar of beschadigd."));
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(reg.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isEnabled());
        QVERIFY(db->isOpen());
    }
};

QTEST_MAIN(TestFrmKaartEdit)
#include "tst_frmkaartedit.moc"
