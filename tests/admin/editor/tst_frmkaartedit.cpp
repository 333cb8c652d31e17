#include "fakedialogs.h"
#include "frmkaartedit.h"
#include "mapmarker.h"
#include "registerfiles.h"
#include "smartbase.h"
#include "testfolder.h"
#include "twipsgeometry.h"
#include "windowdriver.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
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

QImage plainPicture(int width = 300, int height = 200)
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
    void open(const QByteArray& krt, const QImage& picture = plainPicture())
    {
        editor.reset(); // the old folder first: it unsets the program folder when it goes
        db.reset();
        folder.reset();
        folder = std::make_unique<TestFolder>();
        QVERIFY(picture.save(folder->file(QStringLiteral("europa.bmp")), "BMP"));
        folder->write(QStringLiteral("kaarten.sdb"), registerfiles::maps({{"Europa", "europa.krt"}}));
        folder->write(Krt, krt);
        db = std::make_unique<SmartBase>([](const QString& m) { Dialogs::notify(m); });
        db->OpenDatabase(folder->file(QStringLiteral("kaarten.sdb")));
        editor = std::make_unique<frmKaartEdit>(*db, 1, QStringLiteral("Europa"));
        QVERIFY(editor->load());
        QVERIFY(drive::show(*editor));
    }
    // What takes a press at the centre of `name`: the widget on top there.
    QWidget* onTop(const QString& name)
    {
        QWidget* widget = find(name);
        return editor->childAt(widget->mapTo(editor.get(), widget->rect().center()));
    }
    QWidget* find(const QString& name) { return editor->findChild<QWidget*>(name); }
    QRect twips(const QString& name) { return TwipsGeometry::get(find(name)); }
    MapMarker* marker(int i)
    {
        return editor->findChild<MapMarker*>(QStringLiteral("shpPlaatsSml_%1").arg(i));
    }
    void click(const QString& name) { QTest::mouseClick(find(name), Qt::LeftButton); }
    // A click where the teacher points on the picture: whatever lies on top there takes it.
    void clickAt(QPoint twipsOnPicture)
    {
        QWidget* picture = find(QStringLiteral("Picture1"));
        const QPoint px(twipsOnPicture.x() / 15, twipsOnPicture.y() / 15);
        QWidget* target = picture->childAt(px) ? picture->childAt(px) : picture;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(picture, px));
    }
    int mode() { return editor->state().AddSoort(); }
    QString status() { return editor->findChild<QLabel*>(QStringLiteral("lblStatus"))->text(); }
    QLineEdit* nameBox(int i)
    {
        return editor->findChild<QLineEdit*>(QStringLiteral("txtPlaatsnaam_%1").arg(i));
    }
    bool panelOpen(int i) { return find(QStringLiteral("EditFrame_%1").arg(i))->isVisible(); }
    void place(const QString& button, QPoint at)
    {
        click(button);
        clickAt(at);
    }
    void removeAt(QPoint at, FakeDialogs::Reply answer)
    {
        click(QStringLiteral("cmdRemove"));
        fake->messageAnswers.enqueue(answer);
        clickAt(at);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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
        editor.reset();
        db.reset();
        folder.reset();
        fake.reset();
    }

    void openingBuildsEveryItemAndSavesItUnchanged()
    {
        open(Europa);
        QVERIFY(editor->isMaximized());
        QCOMPARE(twips(QStringLiteral("Picture1")), QRect(240, 1080, 4500, 3000));
        // Legend beside the picture, its bottom level with the picture's.
        QCOMPARE(twips(QStringLiteral("Legenda")), QRect(4500 + 355, 1080 + 3000 - 2055, 2055, 2055));
        // 567 - 727 + 155 is just left of the picture; near the right edge the panel is pulled in.
        QCOMPARE(twips(QStringLiteral("EditFrame_1")), QRect(0, 1234 + 260, 1455, 615));
        QCOMPARE(twips(QStringLiteral("EditFrame_2")).topLeft(), QPoint(4500 - 1455, 360));
        // Each item's level is its checked option of three; a level no option stands for checks none.
        for (const auto& [item, checked] : {std::pair{1, "100"}, {2, "010"}, {3, "001"}, {4, "000"}}) {
            QString shown;
            for (auto* option : find(QStringLiteral("EditFrame_%1").arg(item))->findChildren<QRadioButton*>())
                shown += option->isChecked() ? u'1' : u'0';
            QCOMPARE(shown, QString::fromLatin1(checked));
        }

        // Saved after one change: the other item lines as they were read, level 7 dropped.
        QTest::keyClicks(nameBox(1), QStringLiteral(" stad"));
        close(MessageAnswer::Yes);
        QCOMPARE(editor->result(), int(QDialog::Accepted));
        QCOMPARE(folder->read(Krt), QByteArray("europa.bmp\r\n"
                                               "1 s 1234 567  Utrecht stad\r\n"
                                               "2 d 100  4400 Oost\r\n"
                                               "3 x 2900 7    Hoekje\r\n"));
    }

    // A teacher reaches every button and item where it shows: nothing lies over it.
    void everyButtonCanBeReached()
    {
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
        // Every panel still hangs from its own marker as it did: Amsterdam's and Brussel's alike.
        const auto hang = [&](int i) {
            return find(QStringLiteral("EditFrame_%1").arg(i))->pos() - marker(i)->geometry().topLeft();
        };
        QVERIFY((hang(1) - hang(2)).manhattanLength() <= 2);
        for (const char* name : {"cmdClose", "cmdChange", "cmdRemove", "cmdAddGroot", "cmdAddKlein",
                                 "cmdAddWater", "cmdAddArea", "cmdAddArea1"})
            QCOMPARE(onTop(QString::fromLatin1(name)), find(QString::fromLatin1(name)));
        for (int i = 1; i <= editor->state().AantPlaatsen(); ++i) {
            const QString spot = QStringLiteral("HotSpot_%1").arg(i);
            QVERIFY(picture->rect().contains(find(spot)->geometry()));
            QCOMPARE(onTop(spot), find(spot));
        }
        // A new item lands within one picture pixel of the click.
        click(QStringLiteral("cmdAddKlein"));
        QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(400, 60));
        close(MessageAnswer::Yes);
        QByteArray line;
        for (const QByteArray& saved : folder->read(Krt).split('\n'))
            line = europa.contains(saved) ? line : saved;
        QVERIFY2(qAbs(line.mid(4, 5).trimmed().toInt() + 120 - 60 * 15 / scale) <= 15, line.constData());
        QVERIFY2(qAbs(line.mid(9, 5).trimmed().toInt() + 120 - 400 * 15 / scale) <= 15, line.constData());
    }

    void modesPlacingAndPanels()
    {
        open("europa.bmp\r\n1 s 1234 567  Utrecht\r\n");
        // Each kind has two buttons, "+" and its swatch; "Wijzigen" leaves an add mode again.
        for (const auto& [button, kind] : {std::pair{"cmdAddGroot", 1}, std::pair{"cmdAddKlein", 2},
                                           std::pair{"cmdAddWater", 3}, std::pair{"cmdAddArea", 4}}) {
            for (const QString& control : {QString::fromLatin1(button), QString::fromLatin1(button) + u'1'}) {
                click(control);
                QCOMPARE(mode(), kind);
                click(QStringLiteral("cmdChange"));
                QCOMPARE(mode(), 0);
            }
        }
        // The marker at the click - 120 twips, its panel at the click + 155 below; then change
        // mode with an empty status line.
        place(QStringLiteral("cmdAddGroot"), QPoint(1500, 1200));
        QCOMPARE(marker(2)->twips(), QRect(1380, 1080, 255, 255));
        QCOMPARE(twips(QStringLiteral("EditFrame_2")), QRect(1500 - 727 + 35, 1200 + 155, 1455, 615));
        QCOMPARE(status(), QString());

        // A click on an item opens its panel, closing any other; a pending add mode survives it.
        clickAt(QPoint(1500, 1200));
        QVERIFY(panelOpen(2));
        QTest::keyClicks(nameBox(2), QStringLiteral("  Amersfoort "));
        click(QStringLiteral("Niveau3_2"));
        click(QStringLiteral("cmdAddWater1"));
        clickAt(QPoint(600, 1250));
        QVERIFY(panelOpen(1) && !panelOpen(2));
        QCOMPARE(mode(), 3);
        // Near the corner the marker lies outside the picture.
        clickAt(QPoint(60, 45));

        // "Wissen": Enter on the question answers No, which changes nothing and leaves remove mode.
        removeAt(QPoint(600, 1250), FakeDialogs::Key::Enter);
        QCOMPARE(fake->messages.last().text, QStringLiteral("Weet u zeker dat u Utrecht wilt verwijderen?"));
        QCOMPARE(status(),
                 QStringLiteral("Klik op de plaats, het water of het gebied dat u wilt verwijderen"));
        QCOMPARE(mode(), 0);
        // Removing the first renumbers the others, their panels too.
        removeAt(QPoint(600, 1250), MessageAnswer::Yes);
        QVERIFY(!find(QStringLiteral("EditFrame_3")));
        close(MessageAnswer::Yes);
        QCOMPARE(folder->read(Krt), QByteArray("europa.bmp\r\n"
                                               "1 w -75  -60  \r\n"
                                               "3 s 1080 1380 Amersfoort\r\n"));
    }

    // Every way of closing asks the save question after a change.
    void closingAsksAfterAChange()
    {
        open(Europa);
        place(QStringLiteral("cmdAddGroot"), QPoint(3000, 2000));
        fake->messageAnswers.enqueue(MessageAnswer::Cancel);
        QVERIFY(!editor->close());
        QCOMPARE(fake->messages[0].buttons, MessageButtons::YesNoCancel);
        QVERIFY(editor->isVisible());
        // Escape is no way out.
        QTest::keyClick(editor.get(), Qt::Key_Escape);
        QVERIFY(editor->isVisible());
        close(MessageAnswer::No);
        QCOMPARE(editor->result(), int(QDialog::Rejected));
        QCOMPARE(folder->read(Krt), Europa);
    }

    // A save that fails, or that goes to a map another teacher meanwhile removed from the list,
    // keeps the editor open with its edits.
    void savingWhereItCannotOrMayNot()
    {
        open(Europa);
        place(QStringLiteral("cmdAddGroot"), QPoint(3000, 2000));
        QVERIFY(QFile::remove(folder->file(Krt)) && QDir(folder->path()).mkdir(Krt));
        close(MessageAnswer::Yes);
        QVERIFY(
            fake->messages.last().text.startsWith(QStringLiteral("\"europa.krt\" is geen gewoon bestand")));
        QVERIFY(editor->isVisible());
        QVERIFY(QDir(folder->path()).rmdir(Krt));

        // The teacher is told, and saves only when she chooses to: to the file she opened.
        folder->write(QStringLiteral("kaarten.sdb"), registerfiles::maps({{"Wereld", "wereld.krt"}}));
        fake->messageAnswers.enqueue(MessageAnswer::Yes);
        close(MessageAnswer::No);
        QVERIFY(fake->messages.last().text.startsWith(
            QStringLiteral("De kaart \"Europa\" staat niet meer in de lijst met kaarten")));
        QVERIFY(editor->isVisible() && !folder->exists(Krt));
        fake->messageAnswers.enqueue(MessageAnswer::Yes);
        close(MessageAnswer::Yes);
        QVERIFY(!editor->isVisible());
        QVERIFY(folder->read(Krt).contains("1 s 1875 2880 \r\n"));
    }

    // Another teacher saves the same map meanwhile: hers stays, these edits become a new map.
    void aColleaguesSaveIsNeverOverwritten()
    {
        open(Europa);
        place(QStringLiteral("cmdAddGroot"), QPoint(3000, 2000));
        const QByteArray hers = Europa + "1 s 100  100  Lelystad\r\n";
        folder->write(Krt, hers);
        // Saved, Nee goes back to the edits; saved again, Ja keeps them as a copy.
        fake->messageAnswers.append({MessageAnswer::Yes, MessageAnswer::No});
        click(QStringLiteral("cmdClose"));
        QVERIFY(fake->messages.last().text.startsWith(
            QStringLiteral("Iemand anders heeft de kaart \"Europa\" opgeslagen nadat u deze hier opende.")));
        QVERIFY(editor->isVisible());
        fake->messageAnswers.append({MessageAnswer::Yes, MessageAnswer::Yes});
        click(QStringLiteral("cmdClose"));
        QVERIFY(!editor->isVisible() && editor->addedCopy());
        QCOMPARE(folder->read(Krt), hers);
        QCOMPARE(folder->read(QStringLiteral("europa-2.krt")), QByteArray("europa.bmp\r\n"
                                                                          "1 s 1234 567  Utrecht\r\n"
                                                                          "1 s 1875 2880 \r\n"
                                                                          "2 d 100  4400 Oost\r\n"
                                                                          "3 x 2900 7    Hoekje\r\n"));
        QCOMPARE(folder->read(QStringLiteral("kaarten.sdb")),
                 registerfiles::maps({{"Europa", "europa.krt"}, {"Europa (kopie)", "europa-2.krt"}}));
    }
};

QTEST_MAIN(TestFrmKaartEdit)
#include "tst_frmkaartedit.moc"
