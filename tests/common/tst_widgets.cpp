#include "dataerror.h"
#include "fakedialogs.h"
#include "filelock.h"
#include "fittinglabel.h"
#include "hotspot.h"
#include "lockwait.h"
#include "mapclosebutton.h"
#include "mapcursors.h"
#include "mapdrawing.h"
#include "maplegend.h"
#include "mapmarker.h"
#include "mappicture.h"
#include "mapshape.h"
#include "platformfile.h"
#include "qtdialogs.h"
#include "resultsfile.h"
#include "testfolder.h"
#include "twipsgeometry.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

using namespace velmora;

namespace {

Plaats item(const char* kind, int top, int left, const QString& name = QStringLiteral("X"))
{
    return Plaats{1, QString::fromLatin1(kind), top, left, name};
}

// A 200 x 100 pixel picture: 3000 x 1500 twips, placed where the quiz screen has it.
struct Scene
{
    QWidget window;
    MapPicture* picture = new MapPicture(&window);
    Scene()
    {
        TwipsGeometry::set(picture, QRect(240, 1080, 0, 0));
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::green);
        picture->setPicture(image);
    }
};

} // namespace

// The map's pieces and the shared dialogs.
class TestWidgets : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void piecesInPixels()
    {
        Scene scene;
        MapDrawingStyle quiz;
        quiz.keepLabelsInside = true;
        MapDrawing drawing(scene.picture, quiz);
        drawing.add(1, item("s ", 0, 0, QStringLiteral("Amsterdam")));
        drawing.add(2, item("d ", 600, 2900, QStringLiteral("Zwolle")));
        drawing.add(
            3, item("w ", 300, 1500, QStringLiteral("Een naam die veel breder is dan dit hele plaatje")));
        drawing.add(4, item("g ", 1400, 1000, QStringLiteral("Texel")));
        // Added again, an item keeps one set of pieces; an index beyond the items has none.
        drawing.add(4, item("g ", 1400, 1000, QStringLiteral("Texel")));
        QCOMPARE(scene.picture->findChildren<QWidget*>(QStringLiteral("HotSpot_4")).size(), 1);
        QVERIFY(!drawing.marker(5) && !drawing.hotSpot(5) && !drawing.label(5));

        // Corner item: its marker in the corner, inside the picture; a hotspot large enough to hit
        // lies over all of it and takes a click anywhere on it. The label is pulled to left 0.
        const QRect marker = drawing.marker(1)->geometry();
        QWidget* spot = drawing.hotSpot(1);
        QVERIFY(marker.topLeft() == QPoint(0, 0) && scene.picture->rect().contains(marker));
        QVERIFY(spot->width() >= 24 && spot->height() >= 24);
        for (const QPoint& at : {marker.topLeft(), marker.center(), marker.bottomRight()})
            QCOMPARE(scene.picture->childAt(at), spot);
        QLabel* corner = drawing.label(1);
        QCOMPARE(corner->pos(), QPoint(0, 17));
        QVERIFY(corner->isHidden());
        // Near the right edge: the label's right edge touches the picture's.
        QCOMPARE(drawing.label(2)->geometry().right() + 1, 200);
        QCOMPARE(TwipsGeometry::get(drawing.label(2)).top(), 860);
        // Wider than the picture: left 0, sticking out on the right.
        QCOMPARE(drawing.label(3)->x(), 0);
        // Near the bottom: pulled up so its bottom is the picture's bottom.
        const QRect texel = TwipsGeometry::get(drawing.label(4));
        QCOMPARE(texel.top() + texel.height(), 1500);
        QCOMPARE(texel.left(), 1000 - texel.width() / 2 + 155);

        // At half size: markers and hotspots follow, a hotspot no smaller than 24 pixels around
        // its middle; a label keeps its size and stays inside the picture as shown.
        const QSize zwolle = drawing.label(2)->size();
        drawing.setScale(0.5);
        QCOMPARE(scene.picture->size(), QSize(100, 50));
        QCOMPARE(drawing.marker(2)->geometry(), QRect(96, 20, 9, 9));
        QCOMPARE(drawing.hotSpot(2)->geometry(), QRect(89, 12, 24, 24));
        QCOMPARE(drawing.label(2)->size(), zwolle);
        QCOMPARE(drawing.label(2)->geometry().right() + 1, 100);
        // Far smaller, a marker stays 9 pixels, in the middle of its hotspot.
        drawing.setScale(0.34);
        QCOMPARE(drawing.marker(2)->geometry().size(), QSize(9, 9));
        QVERIFY((drawing.marker(2)->geometry().center() - drawing.hotSpot(2)->geometry().center())
                    .manhattanLength() <= 1);
    }

    void paintedMarkersAndLegend()
    {
        // A hatched square lets the picture through.
        MapShape hatched;
        hatched.resize(17, 17);
        hatched.setFillColor(QColor(0, 0, 160));
        hatched.setHatched(true);
        const QImage hatchImage = hatched.grab().toImage();
        int hatch = 0;
        for (int y = 2; y < 15; ++y)
            for (int x = 2; x < 15; ++x)
                hatch += hatchImage.pixelColor(x, y) == QColor(0, 0, 160) ? 1 : 0;
        QVERIFY(hatch > 10 && hatch < 13 * 13 - 10);

        // Water is hatched in the legend only when asked.
        QVERIFY(!MapLegend().swatch(3)->hatched());
        MapLegend::Style printLegend;
        printLegend.hatchWater = true;
        QVERIFY(MapLegend(printLegend, nullptr).swatch(3)->hatched());

        // Beside the picture: left = the picture's width + 355, bottoms level, the counters on top;
        // beside a picture lower than that, tops level.
        Scene scene;
        auto* beside = new MapLegend(&scene.window);
        auto* counters = new QWidget(&scene.window);
        TwipsGeometry::set(counters, QRect(0, 0, 2055, 1215));
        beside->placeBeside(scene.picture, counters);
        QCOMPARE(TwipsGeometry::get(counters), QRect(3000 + 355, 1080, 2055, 1215));
        QCOMPARE(TwipsGeometry::get(beside).top(), 1080 + 1215 + 155);
        QImage tall(200, 300, QImage::Format_RGB32);
        scene.picture->setPicture(tall);
        beside->placeBeside(scene.picture, counters);
        QCOMPARE(TwipsGeometry::get(counters).top(), 1080 + 4500 - 1575 - 155 - 1215);
        const QRect at = TwipsGeometry::get(beside);
        QCOMPARE(at.left(), 3000 + 355);
        QCOMPARE(at.top() + at.height(), 1080 + 4500);

        // A part painted after a change of scale shows the picture at the new scale, and only that part.
        // An 8-bit picture is kept as it is at its own size, a quarter of its 32-bit memory.
        QImage halves(200, 100, QImage::Format_RGB888);
        halves.fill(Qt::red);
        QPainter(&halves).fillRect(100, 0, 100, 100, Qt::blue);
        scene.picture->setPicture(halves.convertToFormat(QImage::Format_Indexed8));
        QCOMPARE(scene.picture->picture().format(), QImage::Format_Indexed8);
        const auto paintPart = [&] {
            QImage shown(200, 100, QImage::Format_RGB32);
            shown.fill(Qt::white);
            const QRect part(30, 10, 40, 20);
            scene.picture->render(&shown, part.topLeft(), QRegion(part));
            return shown;
        };
        QCOMPARE(paintPart().pixelColor(65, 15), QColor(Qt::red));
        scene.picture->setScale(0.5);
        const QImage half = paintPart();
        QCOMPARE(half.pixelColor(35, 15), QColor(Qt::red));
        QCOMPARE(half.pixelColor(65, 15), QColor(Qt::blue));
        QCOMPARE(half.pixelColor(75, 15), QColor(Qt::white));

        // A question too long for the status line is shown smaller, not cut off.
        FittingLabel label(QFont(QStringLiteral("Liberation Serif"), 24));
        label.resize(300, 60);
        label.setFittedText(
            QStringLiteral("Anna, wijs aan op de kaart: Scandinavisch Hoogland en de fjorden"));
        QVERIFY(label.font().pointSizeF() < 24);
        // The hand over an item is white inside, so it shows on a dark map too.
        QCOMPARE(MapCursors::handPicture().toImage().pixelColor(16, 24), QColor(Qt::white));
    }

    void mouseOnItemsAndPicture()
    {
        Scene scene;
        MapDrawing drawing(scene.picture, MapDrawingStyle{});
        drawing.add(1, item("s ", 300, 300));
        drawing.add(2, item("s ", 450, 450)); // overlaps item 1's hotspot
        scene.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&scene.window));
        QSignalSpy clicks(&drawing, &MapDrawing::hotSpotClicked);
        QSignalSpy presses(scene.picture, &MapPicture::pressed);

        // In the overlap the later item lies on top and takes the click.
        const QPoint overlap = drawing.hotSpot(2)->geometry().topLeft() + QPoint(2, 2);
        QCOMPARE(scene.picture->childAt(overlap), static_cast<QWidget*>(drawing.hotSpot(2)));
        // A double-click is two clicks, the second marked, so each window chooses what it means.
        QTest::mouseDClick(drawing.hotSpot(2), Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseRelease(drawing.hotSpot(2), Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseClick(drawing.hotSpot(2), Qt::RightButton, {}, QPoint(2, 2));
        QCOMPARE(clicks.size(), 2);
        QCOMPARE(clicks[0][0].toInt(), 2);
        QCOMPARE(clicks[0][2].toBool(), true);
        QCOMPARE(clicks[1][1].value<Qt::MouseButton>(), Qt::RightButton);
        QCOMPARE(clicks[1][2].toBool(), false);
        QVERIFY(presses.isEmpty()); // a press on an item never reaches the picture
        QTest::mousePress(scene.picture, Qt::LeftButton, {}, QPoint(150, 80));
        QCOMPARE(presses.size(), 1);

        // What the window shows, as repainted since the last look: the picture paints the markers.
        const auto seen = [&](QPoint at) {
            QCoreApplication::processEvents();
            const QPoint onWindow = scene.picture->mapTo(&scene.window, at);
            return scene.window.screen()->grabWindow(scene.window.winId()).toImage().pixelColor(onWindow);
        };
        const QPoint marker2 = drawing.marker(2)->geometry().center();
        QCOMPARE(seen(marker2), drawing.marker(2)->look().fill);

        // Hidden items take no clicks and are not seen; removed ones are gone by name at once.
        drawing.setItemVisible(2, false);
        QCOMPARE(scene.picture->childAt(overlap), static_cast<QWidget*>(drawing.hotSpot(1)));
        QCOMPARE(seen(marker2), QColor(Qt::green));
        drawing.setItemVisible(2, true);
        QCOMPARE(seen(marker2), drawing.marker(2)->look().fill);
        drawing.remove(2);
        QVERIFY(!scene.picture->findChild<QWidget*>(QStringLiteral("HotSpot_2")));
        QVERIFY(!scene.picture->findChild<QObject*>(QStringLiteral("shpPlaatsSml_2")));
        QCOMPARE(seen(marker2), QColor(Qt::green));
        QCOMPARE(drawing.highestIndex(), 1);
        // A moved marker leaves its old place.
        const QPoint marker1 = drawing.marker(1)->geometry().center();
        drawing.update(1, item("d ", 600, 900));
        QCOMPARE(drawing.marker(1)->twips(), QRect(900, 600, 255, 255));
        QCOMPARE(seen(marker1), QColor(Qt::green));
        QCOMPARE(seen(drawing.marker(1)->geometry().center()), drawing.marker(1)->look().fill);
        // The legend shows each kind in its marker's colour, never darker.
        const MapLegend legend;
        for (const auto& [kind, row] : {std::pair{"s ", 1}, {"w ", 3}, {"g ", 4}}) {
            drawing.update(1, item(kind, 600, 900));
            const QColor marker = drawing.marker(1)->look().fill, swatch = legend.swatch(row)->fillColor();
            QVERIFY2(swatch.hsvHue() == marker.hsvHue() && swatch.value() >= marker.value(), kind);
        }
    }

    // Beside a wide picture "Sluiten" stands level with its top, above a legend
    // that starts lower down, and below a legend that starts at the top.
    void closeButtonBesideAWidePicture()
    {
        QWidget window;
        QWidget picture(&window), legend(&window), button(&window);
        TwipsGeometry::set(&picture, QRect(0, 1080, 15000, 6000));
        const int column = 15000 + MapLegend::PictureGap;
        TwipsGeometry::set(&legend, QRect(column, 5000, 2000, 3000));
        MapCloseButton::place(&button, &picture, {&legend});
        QCOMPARE(TwipsGeometry::get(&button).topLeft(), QPoint(column, 1080));
        TwipsGeometry::set(&legend, QRect(column, 1080, 2000, 3000));
        MapCloseButton::place(&button, &picture, {&legend});
        QCOMPARE(TwipsGeometry::get(&button).topLeft(), QPoint(column, 4080 + MapCloseButton::Gap));
    }

    void picturesFoundWhateverTheCase()
    {
        TestFolder folder;
        QImage image(40, 30, QImage::Format_RGB888);
        image.fill(Qt::blue);
        QVERIFY(image.save(folder.file(QStringLiteral("Europa.BMP")), "BMP"));
        MapPicture picture;
        QVERIFY(!picture.load(QStringLiteral("europa.bmp")));
        QCOMPARE(TwipsGeometry::get(&picture).size(), QSize(600, 450));
        QVERIFY(picture.load(QStringLiteral("weg.bmp")));
        QCOMPARE(picture.size(), QSize(40, 30)); // a failed load keeps the picture
    }

    // Another computer that holds a file's lock and stalls never freezes a
    // window: it keeps painting under the busy pointer, and after the wait
    // limit the write is refused with nothing written.
    void stalledLockHolderLeavesTheWindowResponsive()
    {
        TestFolder folder;
        const QByteArray anna = "Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\n";
        folder.write(QStringLiteral("toets.res"), anna);
        auto holder = velmora::PlatformFile::openForWriting(folder.file(QStringLiteral("toets.res")));
        QVERIFY(std::holds_alternative<velmora::PlatformFile>(holder));
        const auto locked = std::get<velmora::PlatformFile>(holder).tryLock();
        QVERIFY(std::holds_alternative<bool>(locked) && std::get<bool>(locked));

        LockWait::install();
        FileLock::setWaitLimit(800);
        int ticks = 0;
        bool busyShown = false;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            ++ticks;
            busyShown = busyShown || (QGuiApplication::overrideCursor() &&
                                      QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor);
        });
        timer.start(20);
        const auto refused = ResultsFile::append(ResultsFile::path(), QStringLiteral("Bram"),
                                                 QStringLiteral("Europa"), 1, 10, 9);
        QVERIFY(refused && refused->message().startsWith(QStringLiteral("Een andere computer is bezig")));
        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
        QVERIFY(busyShown);
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(folder.read(QStringLiteral("toets.res")), anna);

        holder = velmora::PlatformFile(); // closing gives the lock up
        QVERIFY(!ResultsFile::append(ResultsFile::path(), QStringLiteral("Bram"), QStringLiteral("Europa"), 1,
                                     10, 9));
        FileLock::setWaitHandler({});
        FileLock::setWaitLimit(10000);
    }

    void dialogs()
    {
        // The standard buttons are Dutch even where Qt's translation is missing.
        auto box = QtDialogs::buildMessageBox(QStringLiteral("Wilt u de kaart opslaan?"),
                                              QStringLiteral("KorvelAdmin"), MessageIcon::Question,
                                              MessageButtons::YesNoCancel, MessageAnswer::Yes);
        QStringList texts;
        for (QAbstractButton* b : box->buttons())
            texts.append(b->text());
        texts.sort();
        QCOMPARE(texts,
                 QStringList({QStringLiteral("Annuleren"), QStringLiteral("Ja"), QStringLiteral("Nee")}));
        QCOMPARE(box->escapeButton(), box->button(QMessageBox::Cancel));
        // A question whose Yes destroys: Enter and Escape both answer No.
        box = QtDialogs::buildMessageBox(QStringLiteral("Weet u dit zeker?"), QStringLiteral("KorvelAdmin"),
                                         MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No);
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
        QCOMPARE(box->escapeButton(), box->button(QMessageBox::No));
        // Windows-style "a;b" patterns would otherwise be one pattern that matches nothing.
        QCOMPARE(
            QtDialogs::filterString({{QStringLiteral("Kaarten (*.krt *.bmp)"), QStringLiteral("*.krt;*.bmp")},
                                     {QStringLiteral("Alle"), QStringLiteral("*.krt")}}),
            QStringLiteral("Kaarten (*.krt *.bmp);;Alle (*.krt)"));
        // A notice has no icon and the program's name as its caption.
        QCoreApplication::setApplicationName(QStringLiteral("Korvel"));
        FakeDialogs fake;
        Dialogs::notify(QStringLiteral("Database bestaat niet"));
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].caption, QStringLiteral("Korvel"));
        QCOMPARE(fake.messages[0].icon, MessageIcon::None);
    }
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
