#include "fakedialogs.h"
#include "frmkaartedit.h"
#include "frmkaarten.h"
#include "mapfile.h"
#include "mapshape.h"
#include "readonlyfolder.h"
#include "smartbase.h"
#include "testfolder.h"
#include "twipsgeometry.h"

#include <QApplication>
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
using korveladmin::MapEditState;

namespace {

const QByteArray Maps = "Kaarten\r\n 2 \r\nKaartnaam\r\n 30 \r\nKaartbestand\r\n 50 \r\n"
                        "Europa                        europa.krt\r\n";
// 300 x 200 pixels: 4500 x 3000 twips.
constexpr QSize PictureTwips(4500, 3000);

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

} // namespace

class TestFrmKaartEdit : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestFolder> folder;
    std::unique_ptr<SmartBase> db;
    std::unique_ptr<frmKaartEdit> editor;

    void prepare(const QByteArray& krt)
    {
        // The old folder first: it unsets the program folder when it goes.
        cleanup();
        folder = std::make_unique<TestFolder>();
        QImage picture(PictureTwips / 15, QImage::Format_RGB32);
        picture.fill(QColor(250, 240, 200));
        QVERIFY(picture.save(folder->file(QStringLiteral("europa.bmp")), "BMP"));
        folder->write(QStringLiteral("kaarten.sdb"), Maps);
        folder->write(QStringLiteral("europa.krt"), krt);
        db = std::make_unique<SmartBase>([](const QString& m) { Dialogs::notify(m); });
        db->OpenDatabase(folder->file(QStringLiteral("kaarten.sdb")));
    }
    void open(const QByteArray& krt)
    {
        prepare(krt);
        editor = std::make_unique<frmKaartEdit>(*db, 1, QStringLiteral("Europa"));
        QVERIFY(editor->load());
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
    }
    template <class T> T* find(const QString& name) { return editor->findChild<T*>(name); }
    QWidget* picture() { return find<QWidget>(QStringLiteral("Picture1")); }
    QRect twips(const QString& name)
    {
        QWidget* w = find<QWidget>(name);
        return w ? TwipsGeometry::get(w) : QRect();
    }
    void click(const QString& name)
    {
        QWidget* w = find<QWidget>(name);
        QVERIFY2(w, qPrintable(name));
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    }
    // A click where the teacher points on the picture: whatever lies on top there takes it.
    void clickAt(QPoint twipsOnPicture)
    {
        const QPoint px(twipsOnPicture.x() / 15, twipsOnPicture.y() / 15);
        QWidget* top = picture()->childAt(px);
        QWidget* target = top ? top : picture();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(picture(), px));
    }
    QString status() { return find<QLabel>(QStringLiteral("lblStatus"))->text(); }
    QString name(int i) { return find<QLineEdit>(QStringLiteral("txtPlaatsnaam_%1").arg(i))->text(); }
    bool panelOpen(int i) { return find<QWidget>(QStringLiteral("EditFrame_%1").arg(i))->isVisible(); }
    int checkedLevel(int i)
    {
        for (int level = 1; level <= 3; ++level) {
            if (find<QRadioButton>(QStringLiteral("Niveau%1_%2").arg(level).arg(i))->isChecked())
                return level;
        }
        return 0;
    }
    QString tag(int i)
    {
        return find<QWidget>(QStringLiteral("shpPlaatsSml_%1").arg(i))->property("Tag").toString();
    }
    void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    void close(MessageAnswer answer, FakeDialogs& fake)
    {
        fake.messageAnswers.enqueue(answer);
        click(QStringLiteral("cmdClose"));
    }

private Q_SLOTS:
    void cleanup()
    {
        editor.reset();
        db.reset();
        folder.reset();
    }

    void openingBuildsEveryItem()
    {
        FakeDialogs fake;
        open(Europa);
        QCOMPARE(editor->windowTitle(), QStringLiteral("Europa"));
        QVERIFY(editor->isMaximized());
        QCOMPARE(status(), ChangeText);
        QCOMPARE(editor->state().AddSoort(), 0);
        QCOMPARE(editor->state().AantPlaatsen(), 4);
        QCOMPARE(twips(QStringLiteral("Picture1")), QRect(240, 1080, 4500, 3000));
        // Legend beside the picture, its bottom level with the picture's.
        QCOMPARE(twips(QStringLiteral("Legenda")), QRect(4500 + 355, 1080 + 3000 - 2055, 2055, 2055));

        QCOMPARE(twips(QStringLiteral("shpPlaatsSml_1")), QRect(567, 1234, 255, 255));
        QCOMPARE(twips(QStringLiteral("HotSpot_1")), QRect(447, 1114, 480, 450));
        // 567 - 727 + 155 is just left of the picture.
        QCOMPARE(twips(QStringLiteral("EditFrame_1")), QRect(0, 1234 + 260, 1455, 615));
        // Near the right edge the panel is pulled in; near the bottom it goes up, at the left edge to 0.
        QCOMPARE(twips(QStringLiteral("EditFrame_2")).topLeft(), QPoint(4500 - 1455, 360));
        QCOMPARE(twips(QStringLiteral("EditFrame_3")).topLeft(), QPoint(0, 3000 - 615));
        for (int i = 1; i <= 4; ++i)
            QVERIFY(!panelOpen(i));

        QCOMPARE(QStringList({tag(1), tag(2), tag(3), tag(4)}),
                 QStringList(
                     {QStringLiteral("s"), QStringLiteral("d"), QStringLiteral("x"), QStringLiteral("w")}));
        auto* oost = find<MapShape>(QStringLiteral("shpPlaatsSml_2"));
        QCOMPARE(oost->form(), MapShape::Form::Circle);
        QCOMPARE(find<MapShape>(QStringLiteral("shpPlaatsSml_3"))->fillColor(), QColor(255, 0, 0));
        QCOMPARE(find<MapShape>(QStringLiteral("shpPlaatsSml_4"))->fillColor(), QColor(0, 0, 160));
        QCOMPARE(name(1), QStringLiteral("Utrecht"));
        QCOMPARE(name(4), QStringLiteral("  Meer "));
        QCOMPARE(QList<int>({checkedLevel(1), checkedLevel(2), checkedLevel(3), checkedLevel(4)}),
                 QList<int>({1, 2, 3, 0}));

        // Saved unchanged: the same item lines, level 7 dropped, blanks trimmed.
        close(MessageAnswer::Yes, fake);
        QCOMPARE(editor->result(), int(QDialog::Accepted));
        QCOMPARE(folder->read(QStringLiteral("europa.krt")), QByteArray("europa.bmp\r\n"
                                                                        "1 s 1234 567  Utrecht\r\n"
                                                                        "2 d 100  4400 Oost\r\n"
                                                                        "3 x 2900 7    Hoekje\r\n"));
        QCOMPARE(fake.messages[0].text, QStringLiteral("Wilt u de kaart opslaan?"));
        QCOMPARE(fake.messages[0].caption, QStringLiteral("Kaart aanpassen"));
        QCOMPARE(fake.messages[0].icon, MessageIcon::Question);
        QCOMPARE(fake.messages[0].buttons, MessageButtons::YesNoCancel);
    }

    void modesAndTheirTexts()
    {
        FakeDialogs fake;
        open("europa.bmp\r\n");
        // Without items "Wissen" changes neither mode nor text.
        click(QStringLiteral("cmdRemove"));
        QCOMPARE(editor->state().AddSoort(), 0);
        QCOMPARE(status(), ChangeText);

        const QList<std::tuple<QString, int, QString>> modes = {
            {QStringLiteral("cmdAddGroot"), 1, QStringLiteral("Klik in de kaart waar u de stad wilt")},
            {QStringLiteral("cmdAddKlein"), 2, QStringLiteral("Klik in de kaart waar u de stad wilt")},
            {QStringLiteral("cmdAddWater"), 3, QStringLiteral("Klik in de kaart waar u het water wilt")},
            {QStringLiteral("cmdAddArea"), 4, QStringLiteral("Klik in de kaart waar u de gebied wilt")},
        };
        for (const auto& [button, mode, text] : modes) {
            for (const QString& control : {button, button + u'1'}) {
                click(QStringLiteral("cmdChange"));
                QCOMPARE(editor->state().AddSoort(), 0);
                QCOMPARE(status(), ChangeText);
                click(control);
                QCOMPARE(editor->state().AddSoort(), mode);
                QCOMPARE(status(), text);
            }
        }
        // Each add mode places its own kind, and every placement ends in change mode.
        const QList<std::tuple<QString, QString, MapShape::Form, QColor>> kinds = {
            {QStringLiteral("cmdAddGroot"), QStringLiteral("s"), MapShape::Form::Square, QColor(255, 0, 0)},
            {QStringLiteral("cmdAddKlein1"), QStringLiteral("d"), MapShape::Form::Circle, QColor(255, 0, 0)},
            {QStringLiteral("cmdAddWater"), QStringLiteral("w"), MapShape::Form::Square, QColor(0, 0, 160)},
            {QStringLiteral("cmdAddArea1"), QStringLiteral("g"), MapShape::Form::Square,
             QColor(160, 160, 160)},
        };
        int i = 0;
        for (const auto& [button, letter, form, fill] : kinds) {
            ++i;
            click(button);
            clickAt(QPoint(600 * i, 600 * i));
            QCOMPARE(editor->state().AantPlaatsen(), i);
            QCOMPARE(tag(i), letter);
            auto* marker = find<MapShape>(QStringLiteral("shpPlaatsSml_%1").arg(i));
            QCOMPARE(marker->form(), form);
            QCOMPARE(marker->fillColor(), fill);
            QCOMPARE(editor->state().AddSoort(), 0);
            QCOMPARE(status(), QString());
        }
        // In change and remove mode a press on empty map does nothing.
        clickAt(QPoint(4000, 300));
        click(QStringLiteral("cmdRemove"));
        QCOMPARE(status(), RemoveText);
        clickAt(QPoint(4000, 300));
        QCOMPARE(editor->state().AantPlaatsen(), 4);
        QCOMPARE(editor->state().AddSoort(), -1);
        QVERIFY(fake.messages.isEmpty());
    }

    void placingAndPanels()
    {
        FakeDialogs fake;
        open("europa.bmp\r\n1 s 1234 567  Utrecht\r\n");
        click(QStringLiteral("cmdAddGroot"));
        clickAt(QPoint(1500, 1200));
        QCOMPARE(editor->state().AantPlaatsen(), 2);
        QCOMPARE(twips(QStringLiteral("shpPlaatsSml_2")), QRect(1380, 1080, 255, 255));
        QCOMPARE(twips(QStringLiteral("HotSpot_2")), QRect(1260, 960, 480, 450));
        QCOMPARE(twips(QStringLiteral("EditFrame_2")), QRect(1500 - 727 + 35, 1200 + 155, 1455, 615));
        QVERIFY(!panelOpen(2));
        QCOMPARE(name(2), QString());
        QCOMPARE(checkedLevel(2), 1);

        // A click on an item opens its panel, closing any other.
        clickAt(QPoint(1500, 1200));
        QVERIFY(panelOpen(2));
        QCOMPARE(editor->focusWidget(), find<QWidget>(QStringLiteral("txtPlaatsnaam_2")));
        QTest::keyClicks(find<QLineEdit>(QStringLiteral("txtPlaatsnaam_2")), QStringLiteral("  Amersfoort "));
        click(QStringLiteral("Niveau3_2"));
        clickAt(QPoint(600, 1250));
        QVERIFY(panelOpen(1));
        QVERIFY(!panelOpen(2));

        // A pending add mode survives opening another item's panel.
        click(QStringLiteral("cmdAddWater1"));
        clickAt(QPoint(1500, 1200));
        QVERIFY(panelOpen(2));
        QVERIFY(!panelOpen(1));
        QCOMPARE(editor->state().AddSoort(), 3);
        // A press on the open panel is no press on the map.
        clickAt(twips(QStringLiteral("EditFrame_2")).topLeft() + QPoint(400, 500));
        QCOMPARE(editor->state().AantPlaatsen(), 2);
        // Near the top-left corner: a marker above and left of the picture.
        clickAt(QPoint(60, 45));
        QCOMPARE(editor->state().AantPlaatsen(), 3);
        QCOMPARE(twips(QStringLiteral("shpPlaatsSml_3")).topLeft(), QPoint(-60, -75));
        QCOMPARE(twips(QStringLiteral("EditFrame_3")).topLeft(), QPoint(0, 200));
        QCOMPARE(editor->state().AddSoort(), 0);
        QVERIFY(panelOpen(2));
        click(QStringLiteral("cmdCloseEdit_2"));
        QVERIFY(!panelOpen(2));
        QCOMPARE(name(2), QStringLiteral("  Amersfoort "));

        close(MessageAnswer::Yes, fake);
        QCOMPARE(folder->read(QStringLiteral("europa.krt")), QByteArray("europa.bmp\r\n"
                                                                        "1 s 1234 567  Utrecht\r\n"
                                                                        "1 w -75  -60  \r\n"
                                                                        "3 s 1080 1380 Amersfoort\r\n"));
    }

    void removing()
    {
        FakeDialogs fake;
        open("europa.bmp\r\n1 s 300  300  Een\r\n2 w 1200 1200 Twee\r\n3 g 2100 2100 Drie\r\n");
        // Remove mode, answered No: change mode, nothing removed, the text stays.
        click(QStringLiteral("cmdRemove"));
        QCOMPARE(editor->state().AddSoort(), -1);
        clickAt(QPoint(400, 400));
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].text, QStringLiteral("Weet u zeker dat u Een wilt verwijderen?"));
        QCOMPARE(fake.messages[0].caption, QStringLiteral("Plaats verwijderen"));
        QCOMPARE(fake.messages[0].icon, MessageIcon::Question);
        QCOMPARE(fake.messages[0].buttons, MessageButtons::YesNo);
        QCOMPARE(editor->state().AantPlaatsen(), 3);
        QCOMPARE(editor->state().AddSoort(), 0);
        QCOMPARE(status(), RemoveText);
        // Now change mode: the click opens the panel instead.
        clickAt(QPoint(1300, 1300));
        QVERIFY(panelOpen(2));

        click(QStringLiteral("cmdRemove"));
        fake.messageAnswers.enqueue(MessageAnswer::Yes);
        clickAt(QPoint(400, 400));
        flushDeletes();
        QCOMPARE(editor->state().AantPlaatsen(), 2);
        QCOMPARE(editor->state().AddSoort(), 0);
        QCOMPARE(status(), QString());
        QCOMPARE(twips(QStringLiteral("shpPlaatsSml_1")).topLeft(), QPoint(1200, 1200));
        QCOMPARE(twips(QStringLiteral("HotSpot_1")).topLeft(), QPoint(1080, 1080));
        QCOMPARE(twips(QStringLiteral("shpPlaatsSml_2")).topLeft(), QPoint(2100, 2100));
        QCOMPARE(QStringList({tag(1), tag(2)}), QStringList({QStringLiteral("w"), QStringLiteral("g")}));
        QCOMPARE(QStringList({name(1), name(2)}),
                 QStringList({QStringLiteral("Twee"), QStringLiteral("Drie")}));
        QCOMPARE(QList<int>({checkedLevel(1), checkedLevel(2)}), QList<int>({2, 3}));
        QVERIFY(!find<QWidget>(QStringLiteral("HotSpot_3")));
        QVERIFY(!find<QWidget>(QStringLiteral("EditFrame_3")));
        // The open panel stayed with its item.
        QVERIFY(panelOpen(1));
        QVERIFY(!panelOpen(2));

        // An item without a name: two blanks in a row. Removing the last item.
        find<QLineEdit>(QStringLiteral("txtPlaatsnaam_2"))->clear();
        click(QStringLiteral("cmdRemove"));
        fake.messageAnswers.enqueue(MessageAnswer::Yes);
        clickAt(QPoint(2200, 2200));
        flushDeletes();
        QCOMPARE(fake.messages.last().text, QStringLiteral("Weet u zeker dat u  wilt verwijderen?"));
        click(QStringLiteral("cmdRemove"));
        fake.messageAnswers.enqueue(MessageAnswer::Yes);
        clickAt(QPoint(1300, 1300));
        flushDeletes();
        QCOMPARE(editor->state().AantPlaatsen(), 0);
        QVERIFY(!find<QWidget>(QStringLiteral("shpPlaatsSml_1")));

        // The emptied map: the picture line alone.
        close(MessageAnswer::Yes, fake);
        QCOMPARE(folder->read(QStringLiteral("europa.krt")), QByteArray("europa.bmp\r\n"));
    }

    void closingAnswers()
    {
        FakeDialogs fake;
        open(Europa);
        click(QStringLiteral("cmdAddGroot"));
        clickAt(QPoint(3000, 2000));
        clickAt(QPoint(3000, 2000));
        QVERIFY(panelOpen(5));
        close(MessageAnswer::Cancel, fake);
        QVERIFY(editor->isVisible());
        QVERIFY(panelOpen(5));
        QCOMPARE(editor->state().AantPlaatsen(), 5);
        QCOMPARE(folder->read(QStringLiteral("europa.krt")), Europa);
        close(MessageAnswer::No, fake);
        QVERIFY(!editor->isVisible());
        QCOMPARE(editor->result(), int(QDialog::Rejected));
        QCOMPARE(folder->read(QStringLiteral("europa.krt")), Europa);

        // Escape does not throw the changes away.
        open(Europa);
        QTest::keyClick(editor.get(), Qt::Key_Escape);
        QVERIFY(editor->isVisible());
    }

    void savedInLevelOrderAndPlayable()
    {
        FakeDialogs fake;
        open("europa.bmp\r\n");
        const QList<std::tuple<QPoint, int, QString>> entered = {
            {QPoint(600, 600), 3, QStringLiteral("Derde")},
            {QPoint(1500, 600), 1, QStringLiteral(" Eerste ")},
            {QPoint(2400, 600), 2, QString()},
        };
        int i = 0;
        for (const auto& [at, level, text] : entered) {
            ++i;
            click(QStringLiteral("cmdAddGroot"));
            clickAt(at);
            clickAt(at);
            QTest::keyClicks(find<QLineEdit>(QStringLiteral("txtPlaatsnaam_%1").arg(i)), text);
            click(QStringLiteral("Niveau%1_%2").arg(level).arg(i));
        }
        close(MessageAnswer::Yes, fake);
        QCOMPARE(folder->read(QStringLiteral("europa.krt")), QByteArray("europa.bmp\r\n"
                                                                        "1 s 480  1380 Eerste\r\n"
                                                                        "2 s 480  2280 \r\n"
                                                                        "3 s 480  480  Derde\r\n"));
        // What the pupil program reads back.
        auto read = MapFile::readFile(QStringLiteral("europa.krt"));
        QVERIFY(std::holds_alternative<MapFile::Contents>(read));
        const auto& contents = std::get<MapFile::Contents>(read);
        QCOMPARE(contents.picture, QStringLiteral("europa.bmp"));
        QCOMPARE(contents.items.size(), 3);
        QCOMPARE(contents.items[0].Naam, QStringLiteral("Eerste"));
        QCOMPARE(contents.items[0].Niveau, 1);
        QCOMPARE(contents.items[0].Left, 1380);
        QCOMPARE(contents.items[1].Naam, QString());
        QCOMPARE(contents.items[2].Niveau, 3);
        QVERIFY(contents.items[0].isCity());
    }

    void savesThatCannotBeDone()
    {
        FakeDialogs fake;
        open(Europa);
        QLineEdit* utrecht = find<QLineEdit>(QStringLiteral("txtPlaatsnaam_1"));
        utrecht->setText(QStringLiteral("Łódź"));
        close(MessageAnswer::Yes, fake);
        QCOMPARE(fake.messages.size(), 2);
        QVERIFY(fake.messages[1].text.contains(QStringLiteral("\"Łódź\"")));
        QCOMPARE(fake.messages[1].icon, MessageIcon::Critical);
        QVERIFY(editor->isVisible());
        QCOMPARE(folder->read(QStringLiteral("europa.krt")), Europa);

        utrecht->setText(QStringLiteral("Lodz"));
        {
            ReadOnlyFolder readOnly(folder->path());
            if (!readOnly.ok())
                QSKIP("cannot make the folder read-only here");
            close(MessageAnswer::Yes, fake);
            QCOMPARE(fake.messages.size(), 4);
            QVERIFY(fake.messages[3].text.startsWith(
                QStringLiteral("Het bestand \"europa.krt\" kon niet worden opgeslagen.")));
            QVERIFY(editor->isVisible());
            QCOMPARE(name(1), QStringLiteral("Lodz"));
        }
        QCOMPARE(folder->read(QStringLiteral("europa.krt")), Europa);
        close(MessageAnswer::Yes, fake);
        QVERIFY(!editor->isVisible());
        QVERIFY(folder->read(QStringLiteral("europa.krt")).contains("1 s 1234 567  Lodz\r\n"));
    }

    void badMapsAreRefusedOnOpening()
    {
        FakeDialogs fake;
        QByteArray full = "europa.bmp\r\n";
        for (int i = 0; i < 501; ++i)
            full += "1 s 100  100  X\r\n";
        const QList<std::pair<QByteArray, QString>> bad = {
            {"europa.bmp\r\n1 s 1234 567  Utrecht\r\n1 s abc  567  Kapot\r\n",
             QStringLiteral("Regel 3 van het bestand \"europa.krt\" is onleesbaar of beschadigd.")},
            {full, QStringLiteral("Het bestand \"europa.krt\" bevat meer dan 500 onderdelen.")},
            {"wereld.bmp\r\n", QStringLiteral("Het bestand \"wereld.bmp\" is niet gevonden.")},
        };
        for (const auto& [krt, message] : bad) {
            prepare(krt);
            frmKaartEdit refused(*db, 1, QStringLiteral("Europa"));
            QVERIFY(!refused.load());
            QCOMPARE(fake.messages.last().text, message);
            QCOMPARE(fake.messages.last().icon, MessageIcon::Critical);
        }
        QCOMPARE(fake.messages.size(), 3);
    }

    void theFiveHundredAndFirstIsRefused()
    {
        FakeDialogs fake;
        QByteArray full = "europa.bmp\r\n";
        for (int i = 0; i < 500; ++i)
            full += "1 s 100  100  X\r\n";
        open(full);
        QCOMPARE(editor->state().AantPlaatsen(), 500);
        click(QStringLiteral("cmdAddGroot"));
        clickAt(QPoint(3000, 2000));
        QCOMPARE(editor->state().AantPlaatsen(), 500);
        QVERIFY(!find<QWidget>(QStringLiteral("HotSpot_501")));
        QCOMPARE(fake.messages.size(), 1);
        QVERIFY(fake.messages[0].text.contains(QStringLiteral("500")));
        QCOMPARE(editor->state().AddSoort(), 0);
    }

    void openedFromTheRegister()
    {
        FakeDialogs fake;
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
            fake.messageAnswers.enqueue(MessageAnswer::No);
            QTest::mouseClick(opened->findChild<QPushButton*>(QStringLiteral("cmdClose")), Qt::LeftButton);
        });
        QTest::mouseClick(reg.findChild<QPushButton*>(QStringLiteral("cmdEdit")), Qt::LeftButton);
        QCOMPARE(caption, QStringLiteral("Europa"));
        QCOMPARE(list->currentRow(), 0);
        QVERIFY(db->isOpen());

        // A broken map: a message, no editor, and the register goes on.
        folder->write(QStringLiteral("europa.krt"), "europa.bmp\r\nonzin\r\n");
        QTest::mouseClick(reg.findChild<QPushButton*>(QStringLiteral("cmdEdit")), Qt::LeftButton);
        QCOMPARE(fake.messages.last().text,
                 QStringLiteral("Regel 2 van het bestand \"europa.krt\" is onleesbaar of beschadigd."));
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(reg.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->isEnabled());
        QVERIFY(db->isOpen());
    }
};

QTEST_MAIN(TestFrmKaartEdit)
#include "tst_frmkaartedit.moc"
