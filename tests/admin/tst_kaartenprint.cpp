#include "fakedialogs.h"
#include "frmkaart.h"
#include "frmkaartenprint.h"
#include "mapshape.h"
#include "pdffile.h"
#include "smartbase.h"
#include "testfolder.h"
#include "twipsgeometry.h"

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace korveladmin;
using velmora::MapShape;
using velmora::TwipsGeometry;

namespace {

const QRgb Sand = qRgb(240, 230, 180);

// A 400 x 300 pixel picture (6000 x 4500 twips) in one sandy colour.
QByteArray picture()
{
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Sand);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// Items of three levels; Oostgrens lies at the picture's right edge.
const QByteArray EuropaKrt = "europa.bmp\r\n"
                             "1 s 600  900  Amsterdam\r\n"
                             "1 w 1500 300  Noordzee\r\n"
                             "1 s 3000 5800 Oostgrens\r\n"
                             "2 d 2000 2000 Utrecht\r\n"
                             "3 g 300  3000 Texel\r\n";

void writeMaps(const TestFolder& folder)
{
    folder.write(QStringLiteral("kaarten.sdb"),
                 "Kaarten\r\n 2 \r\nKaartnaam\r\n 30 \r\nKaartbestand\r\n 50 \r\n"
                 "Europa                        europa.krt\r\n"
                 "Kwijt                         kwijt.krt\r\n");
    folder.write(QStringLiteral("europa.krt"), EuropaKrt);
    folder.write(QStringLiteral("europa.bmp"), picture());
}

QList<int> drawn(frmKaart& view, const char* prefix)
{
    QList<int> indices;
    for (int i = 0; i <= 6; ++i) {
        if (view.findChild<QWidget*>(QString::fromLatin1(prefix) + QString::number(i)))
            indices.append(i);
    }
    return indices;
}

bool labelShown(frmKaart& view, int index)
{
    auto* label = view.findChild<QLabel*>(QStringLiteral("lblPlaats_%1").arg(index));
    return label && label->isVisibleTo(&view);
}

int pixelsOf(const QImage& image, QRgb colour, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

} // namespace

class TestKaartenPrint : public QObject
{
    Q_OBJECT
    QTemporaryDir m_out;
    QStringList m_notices;
    velmora::SmartBase m_db{[this](const QString& message) { m_notices.append(message); }};

    QRadioButton* option(frmKaartenPrint& window, const QString& name)
    {
        return window.findChild<QRadioButton*>(name);
    }
    // On the round button itself, where a teacher clicks.
    void choose(frmKaartenPrint& window, const QString& name)
    {
        QRadioButton* button = option(window, name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

private Q_SLOTS:
    void init() { m_notices.clear(); }

    void choicesAndTheMapList()
    {
        TestFolder folder;
        writeMaps(folder);
        frmKaartenPrint window(m_db);
        QCOMPARE(window.windowTitle(), QStringLiteral("Kaarten afdrukken"));
        auto* list = window.findChild<QListWidget*>(QStringLiteral("List"));
        auto* print = window.findChild<QPushButton*>(QStringLiteral("cmdPrint"));
        QVERIFY(list && print);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QStringLiteral("Europa"));
        QCOMPARE(list->item(1)->text(), QStringLiteral("Kwijt"));
        QVERIFY(!print->isEnabled());
        QCOMPARE(window.Niveau(), 1);
        QCOMPARE(window.Optie(), 1);
        QVERIFY(option(window, QStringLiteral("optNiveau_0"))->isChecked());
        QCOMPARE(option(window, QStringLiteral("optNiveau_2"))->text(), QStringLiteral("Niveau 3"));
        QVERIFY(option(window, QStringLiteral("Options_0"))->isChecked());
        QCOMPARE(option(window, QStringLiteral("Options_1"))->text(),
                 QStringLiteral("Wel plaatsen, geen namen"));

        window.show();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QVERIFY(print->isEnabled());
        list->clearSelection();
        QVERIFY(!print->isEnabled());

        choose(window, QStringLiteral("optNiveau_2"));
        QCOMPARE(window.Niveau(), 3);
        choose(window, QStringLiteral("optNiveau_1"));
        QCOMPARE(window.Niveau(), 2);
        choose(window, QStringLiteral("Options_2"));
        QCOMPARE(window.Optie(), 3);
        QVERIFY(!option(window, QStringLiteral("Options_0"))->isChecked());
        QVERIFY(m_notices.isEmpty());
    }

    void missingMapDatabaseListsNothing()
    {
        TestFolder folder;
        folder.write(QStringLiteral("leerling.sdb"),
                     "Leerlingendatabase\r\n 2 \r\nId\r\n 5 \r\nNaam\r\n 50 \r\n"
                     "    1Anna\r\n");
        // The pupil database still open from before must not fill the map list.
        m_db.OpenDatabase(folder.file(QStringLiteral("leerling.sdb")));
        frmKaartenPrint window(m_db);
        QCOMPARE(m_notices, QStringList{QStringLiteral("Database bestaat niet")});
        QCOMPARE(window.findChild<QListWidget*>(QStringLiteral("List"))->count(), 0);
    }

    void levelsAndOptionsDecideThePieces()
    {
        TestFolder folder;
        writeMaps(folder);
        {
            frmKaart view;
            QVERIFY(!view.compose(QStringLiteral("Europa"), QStringLiteral("europa.krt  "), 1,
                                  frmKaart::MetNamen));
            QCOMPARE(view.findChild<QLabel*>(QStringLiteral("lblTop"))->text(),
                     QStringLiteral("Velmora - Europa"));
            QCOMPARE(view.sizeTwips(), QSize(15255, 720 + 2 * 4500));
            QCOMPARE(drawn(view, "shpPlaatsSml_"), (QList<int>{1, 2, 3}));
            QCOMPARE(drawn(view, "HotSpot_"), (QList<int>{1, 2, 3}));
            QVERIFY(labelShown(view, 1) && labelShown(view, 2) && labelShown(view, 3));
            QCOMPARE(view.findChild<QLabel*>(QStringLiteral("lblPlaats_1"))->text(),
                     QStringLiteral("Amsterdam"));
            QVERIFY(view.findChild<QWidget*>(QStringLiteral("Legenda"))->isVisibleTo(&view));
            QVERIFY(view.findChild<MapShape*>(QStringLiteral("shpPlaatsSml_2"))->hatched());
            QVERIFY(!view.findChild<MapShape*>(QStringLiteral("shpPlaatsSml_1"))->hatched());
            QVERIFY(view.findChild<MapShape*>(QStringLiteral("Shape3"))->hatched());

            // Names are not pulled back inside the picture at its edge.
            const QRect edge = TwipsGeometry::get(view.findChild<QLabel*>(QStringLiteral("lblPlaats_3")));
            QCOMPARE(edge.left(), 5800 - edge.width() / 2 + 155);
            QCOMPARE(edge.top(), 3000 + 260);
            QVERIFY(edge.right() > 6000);

            // Marker under its label under its hotspot, and every label above all the rest.
            const QObjectList order = view.findChild<QWidget*>(QStringLiteral("Picture1"))->children();
            const auto at = [&](const QString& name) {
                return order.indexOf(view.findChild<QWidget*>(name));
            };
            QVERIFY(at(QStringLiteral("shpPlaatsSml_1")) < at(QStringLiteral("HotSpot_1")));
            QVERIFY(at(QStringLiteral("HotSpot_3")) < at(QStringLiteral("lblPlaats_1")));
        }
        {
            frmKaart view;
            QVERIFY(
                !view.compose(QStringLiteral("Europa"), QStringLiteral("europa.krt"), 3, frmKaart::MetNamen));
            QCOMPARE(drawn(view, "shpPlaatsSml_"), (QList<int>{1, 2, 3, 4, 5}));
            QVERIFY(labelShown(view, 5));
        }
        {
            frmKaart view;
            QVERIFY(!view.compose(QStringLiteral("Europa"), QStringLiteral("europa.krt"), 2,
                                  frmKaart::ZonderNamen));
            QCOMPARE(drawn(view, "shpPlaatsSml_"), (QList<int>{1, 2, 3, 4}));
            for (int i = 1; i <= 4; ++i)
                QVERIFY(!labelShown(view, i));
            QVERIFY(view.findChild<QWidget*>(QStringLiteral("Legenda"))->isVisibleTo(&view));
        }
        {
            frmKaart view;
            QVERIFY(!view.compose(QStringLiteral("Europa"), QStringLiteral("europa.krt"), 3,
                                  frmKaart::LegeKaart));
            QVERIFY(drawn(view, "shpPlaatsSml_").isEmpty());
            QVERIFY(drawn(view, "lblPlaats_").isEmpty());
            QVERIFY(!view.findChild<QWidget*>(QStringLiteral("Legenda"))->isVisibleTo(&view));
            QCOMPARE(view.findChild<QLabel*>(QStringLiteral("lblTop"))->text(),
                     QStringLiteral("Velmora - Europa"));
        }
    }

    void thePageShowsWhatWasChosen()
    {
        TestFolder folder;
        writeMaps(folder);
        const QRgb red = qRgb(255, 0, 0), water = qRgb(0, 0, 160);
        const auto pixels = [](int left, int top, int size) {
            return QRect((240 + left) / 15, (720 + top) / 15, size / 15, size / 15);
        };
        const QRect amsterdam = pixels(900, 600, 255).adjusted(2, 2, -2, -2);
        const QRect noordzee = pixels(300, 1500, 255).adjusted(2, 2, -2, -2);
        // The legend's bottom is level with the picture's; its water swatch is row 3.
        const QRect legendWater((6000 + 355 + 120) / 15, (720 + 4500 - 1575 + 840) / 15, 255 / 15, 255 / 15);

        frmKaart named;
        QVERIFY(
            !named.compose(QStringLiteral("Europa"), QStringLiteral("europa.krt"), 1, frmKaart::MetNamen));
        const QImage page = named.pageImage(1);
        QCOMPARE(page.size(), QSize(1017, 648));
        QCOMPARE(pixelsOf(page, red, amsterdam), amsterdam.width() * amsterdam.height());
        // Water is hatched: blue lines with the picture between them.
        const int blue = pixelsOf(page, water, noordzee);
        QVERIFY(blue > 10 && pixelsOf(page, Sand, noordzee) > 10);
        QVERIFY(pixelsOf(page, qRgb(0, 0, 192), legendWater) > 10);
        QVERIFY(pixelsOf(page, qRgb(0, 0, 192), legendWater) < legendWater.width() * legendWater.height());
        // Oostgrens's name runs on past the picture's right edge.
        const QRect pastEdge((240 + 6000) / 15 + 1, (720 + 3000 + 260) / 15, 12, 14);
        QVERIFY(pixelsOf(page, qRgb(255, 255, 255), pastEdge) < pastEdge.width() * pastEdge.height() - 10);

        frmKaart empty;
        QVERIFY(
            !empty.compose(QStringLiteral("Europa"), QStringLiteral("europa.krt"), 3, frmKaart::LegeKaart));
        const QImage bare = empty.pageImage(1);
        QCOMPARE(pixelsOf(bare, Sand, amsterdam), amsterdam.width() * amsterdam.height());
        QCOMPARE(pixelsOf(bare, Sand, noordzee), noordzee.width() * noordzee.height());
        QCOMPARE(pixelsOf(bare, qRgb(255, 255, 255), legendWater),
                 legendWater.width() * legendWater.height());
    }

    void printingOnePageAgainAndAgain()
    {
        TestFolder folder;
        writeMaps(folder);
        frmKaartenPrint window(m_db);
        auto* list = window.findChild<QListWidget*>(QStringLiteral("List"));
        auto* print = window.findChild<QPushButton*>(QStringLiteral("cmdPrint"));
        list->setCurrentRow(0);
        QVERIFY(print->isEnabled());

        QStringList pdfs;
        for (const QString& name : {QStringLiteral("een.pdf"), QStringLiteral("twee.pdf")}) {
            FakeDialogs dialogs;
            dialogs.printToPdf = m_out.filePath(name);
            print->click();
            QCOMPARE(dialogs.printDialogs, 1);
            QVERIFY(dialogs.messages.isEmpty());
            pdfs.append(dialogs.printToPdf);
        }
        QCOMPARE(PdfFile(pdfs[0]).pages(), 1);
        QVERIFY(
            PdfFile::run(QStringLiteral("pdfinfo"), {pdfs[0]}).contains(QStringLiteral("Velmora - Europa")));
        const QImage first = PdfFile(pdfs[0]).pageImage(1, 40);
        QVERIFY(!first.isNull());
        QCOMPARE(first, PdfFile(pdfs[1]).pageImage(1, 40));
        QCOMPARE(list->currentRow(), 0);

        // A cancelled print dialog prints nothing; a map that cannot be read says so.
        FakeDialogs dialogs;
        print->click();
        QCOMPARE(dialogs.printDialogs, 1);
        QVERIFY(dialogs.messages.isEmpty());
        list->setCurrentRow(1);
        dialogs.printToPdf = m_out.filePath(QStringLiteral("kwijt.pdf"));
        print->click();
        QCOMPARE(dialogs.printDialogs, 1);
        QCOMPARE(dialogs.messageTexts(),
                 QStringList{QStringLiteral("Het bestand \"kwijt.krt\" is niet gevonden.")});
        QCOMPARE(dialogs.messages[0].icon, velmora::MessageIcon::Critical);
        QVERIFY(!QFile::exists(dialogs.printToPdf));
    }
};

QTEST_MAIN(TestKaartenPrint)
#include "tst_kaartenprint.moc"
