#include "fakedialogs.h"
#include "frmkaart.h"
#include "frmkaartenprint.h"
#include "pdffile.h"
#include "registerfiles.h"
#include "smartbase.h"
#include "testfolder.h"
#include "twipsgeometry.h"
#include "windowdriver.h"

#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

using namespace korveladmin;

namespace {

const QRgb Sand = qRgb(240, 230, 180);

// Items of three levels; Oostgrens lies at the picture's right edge. The
// picture is 400 x 300 pixels (6000 x 4500 twips) of sand. Beside it the demo
// map Nederland (831 x 940 pixels, 90 items).
void writeMaps(const TestFolder& folder)
{
    folder.write(QStringLiteral("kaarten.sdb"),
                 registerfiles::maps(
                     {{"Europa", "europa.krt"}, {"Kwijt", "kwijt.krt"}, {"Nederland", "nederland.krt"}}));
    for (const QString& name : {QStringLiteral("nederland.krt"), QStringLiteral("nederland.bmp")})
        QVERIFY(QFile::copy(QFINDTESTDATA(QStringLiteral("../../demo/") + name), folder.file(name)));
    folder.write(QStringLiteral("europa.krt"), "europa.bmp\r\n"
                                               "1 s 600  900  Amsterdam\r\n"
                                               "1 w 1500 300  Noordzee\r\n"
                                               "1 s 3000 5800 Oostgrens\r\n"
                                               "2 d 2000 2000 Utrecht\r\n"
                                               "3 g 300  3000 Texel\r\n");
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Sand);
    QVERIFY(image.save(folder.file(QStringLiteral("europa.bmp")), "BMP"));
}

// The indices of the items that have a widget of this kind.
QList<int> drawn(frmKaart& view, const QString& prefix)
{
    QList<int> indices;
    for (int i = 0; i <= 6; ++i) {
        if (view.findChild<QWidget*>(prefix + QString::number(i)))
            indices.append(i);
    }
    return indices;
}

bool shown(frmKaart& view, const QString& name)
{
    auto* widget = view.findChild<QWidget*>(name);
    return widget && widget->isVisibleTo(&view);
}

// The printable part of the paper in points, as the tests' printer prints.
QRectF printableArea()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    return printer.pageLayout().paintRect(QPageLayout::Point);
}

// The smallest rectangle holding every pixel of this colour or, with `other`,
// of any other; a PDF viewer may shift colours by a step or two.
QRect extent(const QImage& image, QRgb colour, bool other = false)
{
    const auto near = [colour](QRgb pixel) {
        return qAbs(qRed(pixel) - qRed(colour)) <= 3 && qAbs(qGreen(pixel) - qGreen(colour)) <= 3 &&
               qAbs(qBlue(pixel) - qBlue(colour)) <= 3;
    };
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (near(image.pixel(x, y)) != other)
                box |= QRect(x, y, 1, 1);
    return box;
}

// Whether every pixel of `area` has this colour.
bool filled(const QImage& image, QRgb colour, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != colour)
                return false;
    return true;
}

} // namespace

class TestKaartenPrint : public QObject
{
    Q_OBJECT
    QTemporaryDir m_out;
    QStringList m_notices;
    velmora::SmartBase m_db{[this](const QString& message) { m_notices.append(message); }};

    // On the round button itself, where a teacher clicks; nothing may lie over it.
    void choose(frmKaartenPrint& window, const char* name)
    {
        QWidget* button = drive::child(window, name);
        const QPoint at(6, button->height() / 2);
        QCOMPARE(window.childAt(button->mapTo(&window, at)), button);
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
    }

private Q_SLOTS:
    void init() { m_notices.clear(); }

    void choosingAndPrinting()
    {
        TestFolder folder;
        writeMaps(folder);
        frmKaartenPrint window(m_db);
        QVERIFY(drive::show(window));
        auto* list = drive::child<QListWidget>(window, "List");
        auto* print = drive::child(window, "cmdPrint");
        QCOMPARE(list->count(), 3);
        QVERIFY(!print->isEnabled());
        // The list takes the focus, yet no entry looks chosen before the teacher picks one.
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(list->hasFocus());
        const QImage focused = list->viewport()->grab().toImage();
        drive::child(window, "cmdEnd")->setFocus();
        QCOMPARE(list->viewport()->grab().toImage(), focused);
        QCOMPARE(window.Niveau(), 1);
        QCOMPARE(window.Optie(), 1);
        choose(window, "optNiveau_2");
        choose(window, "Options_1");
        QCOMPARE(window.Niveau(), 3);
        QCOMPARE(window.Optie(), 2);

        drive::selectRow(list, 0);
        QVERIFY(print->isEnabled());
        // A cancelled print dialog prints nothing; otherwise one page with the map's title.
        FakeDialogs dialogs;
        drive::click(print);
        QCOMPARE(dialogs.printDialogs, 1);
        dialogs.printToPdf = m_out.filePath(QStringLiteral("europa.pdf"));
        drive::click(print);
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(PdfFile(dialogs.printToPdf).pages(), 1);
        QVERIFY(PdfFile::run(QStringLiteral("pdfinfo"), {dialogs.printToPdf})
                    .contains(QStringLiteral("Velmora - Europa")));
        // A small map prints at its natural size (400 x 300 pixels at 96 dpi), not enlarged.
        const QRect sand = extent(PdfFile(dialogs.printToPdf).pageImage(1, 96), Sand);
        QVERIFY2(qAbs(sand.width() - 400) <= 2 && qAbs(sand.height() - 300) <= 2,
                 qPrintable(QStringLiteral("%1 x %2").arg(sand.width()).arg(sand.height())));

        // Nederland is larger than the paper: title, picture and legend fill its width or
        // height, within the printable area (points at 72 dpi).
        drive::selectRow(list, 2);
        dialogs.printToPdf = m_out.filePath(QStringLiteral("nederland.pdf"));
        drive::click(print);
        const QRect ink = extent(PdfFile(dialogs.printToPdf).pageImage(1, 72), qRgb(255, 255, 255), true);
        const QRectF area = printableArea();
        QVERIFY(area.adjusted(-1, -1, 1, 1).contains(ink));
        QVERIFY2(ink.width() >= 0.8 * area.width() || ink.height() >= 0.8 * area.height(),
                 qPrintable(QStringLiteral("%1 x %2 pt").arg(ink.width()).arg(ink.height())));

        // A map that cannot be read says so and prints nothing.
        drive::selectRow(list, 1);
        dialogs.printToPdf = m_out.filePath(QStringLiteral("kwijt.pdf"));
        drive::click(print);
        QCOMPARE(dialogs.messageTexts(),
                 QStringList{QStringLiteral("Het bestand \"kwijt.krt\" is niet gevonden.")});
        QVERIFY(!QFile::exists(dialogs.printToPdf));
        QVERIFY(m_notices.isEmpty());
    }

    void missingMapDatabaseListsNothing()
    {
        TestFolder folder;
        folder.write(QStringLiteral("leerling.sdb"), registerfiles::pupils({"Anna"}));
        // The pupil database still open from before must not fill the map list.
        m_db.OpenDatabase(folder.file(QStringLiteral("leerling.sdb")));
        frmKaartenPrint window(m_db);
        QCOMPARE(m_notices, QStringList{QStringLiteral("Database bestaat niet")});
        QCOMPARE(window.findChild<QListWidget*>(QStringLiteral("List"))->count(), 0);
    }

    void levelsAndOptionsDecideThePieces_data()
    {
        QTest::addColumn<int>("niveau");
        QTest::addColumn<int>("optie");
        QTest::addColumn<QList<int>>("markers");
        QTest::addColumn<bool>("names");
        QTest::newRow("niveau 1, met namen") << 1 << int(frmKaart::MetNamen) << QList<int>{1, 2, 3} << true;
        QTest::newRow("niveau 3, met namen")
            << 3 << int(frmKaart::MetNamen) << QList<int>{1, 2, 3, 4, 5} << true;
        QTest::newRow("niveau 2, zonder namen")
            << 2 << int(frmKaart::ZonderNamen) << QList<int>{1, 2, 3, 4} << false;
        QTest::newRow("lege kaart") << 3 << int(frmKaart::LegeKaart) << QList<int>{} << false;
    }
    void levelsAndOptionsDecideThePieces()
    {
        QFETCH(int, niveau);
        QFETCH(int, optie);
        QFETCH(QList<int>, markers);
        QFETCH(bool, names);
        TestFolder folder;
        writeMaps(folder);
        frmKaart view;
        // The map file field as the register holds it, blanks and all.
        QVERIFY(!view.compose(QStringLiteral("Europa"), QStringLiteral("europa.krt  "), niveau, optie));
        QCOMPARE(view.findChild<QLabel*>(QStringLiteral("lblTop"))->text(),
                 QStringLiteral("Velmora - Europa"));
        QCOMPARE(drawn(view, QStringLiteral("shpPlaatsSml_")), markers);
        for (int i = 1; i <= 5; ++i)
            QCOMPARE(shown(view, QStringLiteral("lblPlaats_%1").arg(i)), names && markers.contains(i));
        QCOMPARE(shown(view, QStringLiteral("Legenda")), optie != frmKaart::LegeKaart);

        // The page's pixels show the markers.
        const QImage page = view.pageImage(1);
        const QPoint corner = extent(page, Sand).topLeft();
        const QRect amsterdam =
            QRect(corner + QPoint(900 / 15, 600 / 15), QSize(17, 17)).adjusted(2, 2, -2, -2);
        QCOMPARE(filled(page, qRgb(255, 0, 0), amsterdam), !markers.isEmpty());
        QCOMPARE(filled(page, Sand, amsterdam), markers.isEmpty());
        if (markers.isEmpty())
            return;
        // Names are not pulled back inside the picture at its edge.
        const QRect edge =
            velmora::TwipsGeometry::get(view.findChild<QLabel*>(QStringLiteral("lblPlaats_3")));
        QCOMPARE(edge.left(), 5800 - edge.width() / 2 + 155);
        QCOMPARE(edge.top(), 3000 + 260);
    }
};

QTEST_MAIN(TestKaartenPrint)
#include "tst_kaartenprint.moc"
