#include "fakedialogs.h"
#include "frmkaart.h"
#include "frmkaartenprint.h"
#include "pdffile.h"
#include "registerfiles.h"
#include "smartbase.h"
#include "testfolder.h"
#include "windowdriver.h"

#include <QImage>
#include <QListWidget>
#include <QtTest>

using namespace korveladmin;

namespace {

const QRgb Sand = qRgb(240, 230, 180);

// Items of three levels on a picture of 400 x 300 pixels (6000 x 4500 twips) of sand.
void writeMaps(const TestFolder& folder)
{
    folder.write(QStringLiteral("kaarten.sdb"),
                 registerfiles::maps({{"Europa", "europa.krt"}, {"Kwijt", "kwijt.krt"}}));
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

// The smallest rectangle holding every pixel of this colour or, with `other`,
// of any other; a PDF viewer may shift colours by a step or two.
QRect extent(const QImage& image, QRgb colour, bool other = false)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if ((qAbs(qRed(pixel) - qRed(colour)) <= 3 && qAbs(qGreen(pixel) - qGreen(colour)) <= 3 &&
                 qAbs(qBlue(pixel) - qBlue(colour)) <= 3) != other)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

} // namespace

class TestKaartenPrint : public QObject
{
    Q_OBJECT
    QTemporaryDir m_out;
    QStringList m_notices;
    velmora::SmartBase m_db{[this](const QString& message) { m_notices.append(message); }};

private Q_SLOTS:
    void choosingAndPrinting()
    {
        TestFolder folder;
        writeMaps(folder);
        frmKaartenPrint window(m_db);
        QVERIFY(drive::show(window));
        auto* list = drive::child<QListWidget>(window, "List");
        auto* print = drive::child(window, "cmdPrint");
        QVERIFY(!print->isEnabled());
        // On the round button itself, where a teacher clicks; nothing may lie over it.
        QWidget* level = drive::child(window, "optNiveau_2");
        const QPoint at(6, level->height() / 2);
        QCOMPARE(window.childAt(level->mapTo(&window, at)), level);
        QTest::mouseClick(level, Qt::LeftButton, {}, at);
        QCOMPARE(window.Niveau(), 3);

        // A cancelled print dialog prints nothing; otherwise one page with the map's title.
        drive::selectRow(list, 0);
        FakeDialogs dialogs;
        drive::click(print);
        QCOMPARE(dialogs.printDialogs, 1);
        dialogs.printToPdf = m_out.filePath(QStringLiteral("europa.pdf"));
        drive::click(print);
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(pdffile::pageTexts(dialogs.printToPdf).size(), 1);
        QVERIFY(pdffile::run(QStringLiteral("pdfinfo"), {dialogs.printToPdf})
                    .contains(QStringLiteral("Velmora - Europa")));
        // A small map prints at its natural size (400 x 300 pixels at 96 dpi), not enlarged.
        const QRect sand = extent(pdffile::pageImage(dialogs.printToPdf, 1, 96), Sand);
        QVERIFY2(qAbs(sand.width() - 400) <= 2 && qAbs(sand.height() - 300) <= 2,
                 qPrintable(QStringLiteral("%1 x %2").arg(sand.width()).arg(sand.height())));

        // A map that cannot be read says so and prints nothing.
        drive::selectRow(list, 1);
        dialogs.printToPdf = m_out.filePath(QStringLiteral("kwijt.pdf"));
        drive::click(print);
        QCOMPARE(dialogs.messageTexts(),
                 QStringList{QStringLiteral("Het bestand \"kwijt.krt\" is niet gevonden.")});
        QVERIFY(!QFile::exists(dialogs.printToPdf));

        // The pupil database still open from before must not fill the map list.
        folder.write(QStringLiteral("leerling.sdb"), registerfiles::pupils({"Anna"}));
        m_db.OpenDatabase(folder.file(QStringLiteral("leerling.sdb")));
        QFile::remove(folder.file(QStringLiteral("kaarten.sdb")));
        frmKaartenPrint without(m_db);
        QCOMPARE(m_notices, QStringList{QStringLiteral("Database bestaat niet")});
        QCOMPARE(without.findChild<QListWidget*>(QStringLiteral("List"))->count(), 0);
    }

    void levelsAndOptionsDecideThePieces_data()
    {
        QTest::addColumn<int>("niveau");
        QTest::addColumn<int>("optie");
        QTest::addColumn<int>("markers");
        QTest::newRow("niveau 1, met namen") << 1 << int(frmKaart::MetNamen) << 3;
        QTest::newRow("niveau 2, zonder namen") << 2 << int(frmKaart::ZonderNamen) << 4;
        QTest::newRow("lege kaart") << 3 << int(frmKaart::LegeKaart) << 0;
    }
    void levelsAndOptionsDecideThePieces()
    {
        QFETCH(int, niveau);
        QFETCH(int, optie);
        QFETCH(int, markers);
        TestFolder folder;
        writeMaps(folder);
        frmKaart view;
        // The map file field as the register holds it, blanks and all.
        QVERIFY(!view.compose(QStringLiteral("Europa"), QStringLiteral("europa.krt  "), niveau, optie));
        for (int i = 1; i <= 5; ++i) {
            QCOMPARE(bool(view.findChild<QWidget*>(QStringLiteral("shpPlaatsSml_%1").arg(i))), i <= markers);
            auto* name = view.findChild<QWidget*>(QStringLiteral("lblPlaats_%1").arg(i));
            QCOMPARE(name && name->isVisibleTo(&view), optie == frmKaart::MetNamen && i <= markers);
        }
        QCOMPARE(view.findChild<QWidget*>(QStringLiteral("Legenda"))->isVisibleTo(&view),
                 optie != frmKaart::LegeKaart);

        // The page's pixels show the markers: Amsterdam's centre red, or sand on an empty map.
        const QImage page = view.pageImage(1);
        const QPoint amsterdam = extent(page, Sand).topLeft() + QPoint(900 / 15 + 8, 600 / 15 + 8);
        QCOMPARE(page.pixel(amsterdam), markers ? qRgb(255, 0, 0) : Sand);
    }
};

QTEST_MAIN(TestKaartenPrint)
#include "tst_kaartenprint.moc"
