#include "fakedialogs.h"
#include "frmkaart.h"
#include "frmkaartenprint.h"
#include "frmoverzicht.h"
#include "frmresultaat.h"
#include "frmresultaatprint.h"
#include "platformfile.h"
#include "registerfiles.h"
#include "resultsfile.h"
#include "smartbase.h"
#include "testfolder.h"
#include "windowdriver.h"

#include <QComboBox>
#include <QImage>
#include <QListWidget>
#include <QProcess>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace korveladmin;
using velmora::MessageAnswer;

namespace {

const QString Res = QStringLiteral("toets.res");
const QRgb Sand = qRgb(240, 230, 180);

QTableView* grid(frmResultaat& window)
{
    return window.findChild<QTableView*>(QStringLiteral("Grid"));
}

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

// The smallest rectangle holding every pixel of about this colour; a PDF viewer may
// shift colours by a step or two.
QRect extent(const QImage& image, QRgb colour)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAbs(qRed(pixel) - qRed(colour)) <= 3 && qAbs(qGreen(pixel) - qGreen(colour)) <= 3 &&
                qAbs(qBlue(pixel) - qBlue(colour)) <= 3)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

// A printed PDF as the poppler tools see it: the text of each page, laid out as on the page.
QStringList pageTexts(const QString& pdf)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    tool.waitForFinished(60000);
    QStringList texts = QString::fromUtf8(tool.readAllStandardOutput()).split(u'\f');
    texts.removeLast(); // what follows the last page's form feed
    return texts;
}

// One page (from 1) as a picture at `dpi` dots per inch.
QImage pageImage(const QString& pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString p = QString::number(page);
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), p,
                       QStringLiteral("-l"), p, QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf,
                       dir.filePath(QStringLiteral("page"))});
    return QImage(dir.filePath(QStringLiteral("page.png"))).convertToFormat(QImage::Format_RGB32);
}

} // namespace

// The two windows a teacher prints from: the results and the maps.
class TestPrintWindows : public QObject
{
    Q_OBJECT
    QTemporaryDir m_out;
    QStringList m_notices;
    velmora::SmartBase m_db{[this](const QString& message) { m_notices.append(message); }};

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands)); }

    void gridShowsTheFileAsItStands()
    {
        TestFolder folder;
        const QByteArray bytes = "Anna, de Wit\r\nEuropa\r\n 2 \r\n 3 \r\n 2 \r\n"
                                 "Cas\r\nAzi\xeb\r\n 3 \r\n 0 \r\n 0 \r\n"
                                 "Dirk\r\nAfrika\r\n 1 \r\n veel \r\n 4 \r\n"
                                 "Eva\r\nEuropa\r\n 1 \r\n";
        folder.write(Res, bytes);
        frmResultaat window;
        const QAbstractItemModel* model = grid(window)->model();
        // Records in file order, their number lines with the blanks; the unfinished last one
        // as far as it goes. No score without a count to divide by.
        QStringList rows;
        for (int row = 0; row < model->rowCount(); ++row) {
            for (int column = 0; column < 6; ++column)
                rows.append(model->index(row, column).data().toString());
        }
        QCOMPARE(rows.join(u'|'), QStringLiteral("Anna, de Wit|Europa| 2 | 3 | 2 |66,6|Cas|Azië| 3 | 0 | 0 ||"
                                                 "Dirk|Afrika| 1 | veel | 4 ||Eva|Europa| 1 |||"));
    }

    // The grid as a Dutch spreadsheet opens it, whatever this computer's locale;
    // a name that looks like a formula stays text.
    void savingTheGridAsCsv()
    {
        TestFolder folder;
        folder.write(Res, "Zo\xeb\r\nCura\xe7\x61o\r\n 2 \r\n 3 \r\n 2 \r\n"
                          "Anna; de \"Wit\"\r\nEuropa\r\n 1 \r\n 4 \r\n 4 \r\n"
                          "=1+1\r\nEuropa\r\n 3 \r\n 0 \r\n 0 \r\n");
        QLocale::setDefault(QLocale::c());
        const auto dutchAgain =
            qScopeGuard([] { QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands)); });
        frmResultaat window;
        QVERIFY(drive::show(window));
        FakeDialogs dialogs;
        const QString csv = folder.file(QStringLiteral("export/uitslag.csv"));
        dialogs.saveFileAnswers << csv << folder.file(QStringLiteral("uitslag.csv"));
        // A folder that is not there: said, and nothing written.
        drive::click(window, "cmdCsv");
        QVERIFY(dialogs.messages.value(0).text.startsWith(
            QStringLiteral("De resultaten konden niet worden opgeslagen.")));
        drive::click(window, "cmdCsv");
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(folder.read(QStringLiteral("uitslag.csv")),
                 QByteArray("Naam;Kaart;Niveau;Gedaan;Goed;Score\r\n"
                            "Zo\xeb;Cura\xe7\x61o; 2 ; 3 ; 2 ;66,6\r\n"
                            "\"Anna; de \"\"Wit\"\"\";Europa; 1 ; 4 ; 4 ;100\r\n"
                            "'=1+1;Europa; 3 ; 0 ; 0 ;\r\n"));
        QVERIFY(!QFile::exists(csv));
    }

    // Reached from the results window; counts follow each filter a teacher picks.
    void overviewOfWhatTheClassMisses()
    {
        TestFolder folder;
        folder.write(QStringLiteral("antwoorden.csv"),
                     "Datum;Tijd;Leerling;Kaart;Niveau;Soort;Gevraagd;Geklikt;Uitslag;Begonnen\r\n"
                     "2026-12-09;10:00:00;Anna;Nederland;1;toets;Zwolle;Zwolle;goed;2026-12-09 09:59:00\r\n"
                     "2026-12-09;10:01:00;Anna;Nederland;1;toets;Assen;Emmen;fout;2026-12-09 09:59:00\r\n"
                     "2026-12-08;10:05:00;Bram;Nederland;1;oefenen;Zwolle;Assen;fout;2026-12-08 10:04:00\r\n"
                     "2026-12-08;10:06:00;Bram;Nederland;2;toets;Hoorn;Assen;fout;2026-12-08 10:06:00\r\n"
                     "2026-12-08;10:07:00;Bram;Europa;1;toets;Rome;Rome;goed;2026-12-08 10:07:00\r\n");
        frmResultaat results;
        results.setClock([] { return QDate(2026, 12, 9); });
        QVERIFY(drive::show(results));
        QString opened;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            opened = modal ? modal->objectName() : QString();
            if (modal)
                modal->close();
        });
        drive::click(results, "cmdOverzicht");
        QCOMPARE(opened, QStringLiteral("frmOverzicht"));

        frmOverzicht window([] { return QDate(2026, 12, 9); });
        QVERIFY(drive::show(window));
        const auto shown = [&](const char* name) {
            auto* grid = drive::child<QTableWidget>(window, name);
            QStringList rows;
            for (int row = 0; row < grid->rowCount(); ++row) {
                QStringList cells;
                for (int column = 0; column < grid->columnCount(); ++column)
                    cells.append(grid->item(row, column)->text());
                rows.append(cells.join(u' '));
            }
            return rows.join(u'|');
        };
        auto* kaart = drive::child<QComboBox>(window, "cboKaart");
        QCOMPARE(kaart->currentText(), QStringLiteral("Europa"));
        kaart->setFocus();
        QTest::keyClick(kaart, Qt::Key_Down);
        QCOMPARE(shown("gridPlaatsen"), QStringLiteral("Assen 1 1 100|Zwolle 2 1 50"));
        QCOMPARE(shown("gridToetsen"), QStringLiteral("Anna 09-12-2026 2 1 50"));
        drive::click(window, "chkToetsen");
        QCOMPARE(shown("gridPlaatsen"), QStringLiteral("Assen 1 1 100|Zwolle 1 0 0"));
        auto* periode = drive::child<QComboBox>(window, "cboPeriode");
        periode->setFocus();
        QTest::keyClick(periode, Qt::Key_Home);
        QCOMPARE(shown("gridPlaatsen"), QStringLiteral("Assen 1 1 100|Zwolle 1 0 0"));
        drive::click(window, "chkToetsen");
        auto* niveau = drive::child<QComboBox>(window, "cboNiveau");
        niveau->setFocus();
        QTest::keyClick(niveau, Qt::Key_Down);
        QCOMPARE(shown("gridPlaatsen"), QString());
        QTest::keyClick(periode, Qt::Key_End);
        QCOMPARE(shown("gridPlaatsen"), QStringLiteral("Hoorn 1 1 100"));

        FakeDialogs dialogs;
        dialogs.printToPdf = m_out.filePath(QStringLiteral("overzicht.pdf"));
        drive::click(window, "cmdPrint");
        QCOMPARE(dialogs.printDialogs, 1);
        QVERIFY(QFileInfo(dialogs.printToPdf).size() > 1000);
        QVERIFY(dialogs.messages.isEmpty());
    }

    // Forty-seven rows a page; on every page they alternate starting dark, with paper between.
    void printingPagesOfFortySevenAlternatingRows()
    {
        TestFolder folder;
        for (int i = 1; i <= 50; ++i)
            QVERIFY(!velmora::ResultsFile::append(velmora::ResultsFile::path(),
                                                  QStringLiteral("Leerling %1").arg(i),
                                                  QStringLiteral("Europa"), 1, 20, i % 21));
        frmResultaat window;
        window.setClock([] { return QDate(2023, 12, 31); });
        QVERIFY(drive::show(window));
        // A cancelled print dialog prints nothing; a printer that cannot take the job is reported.
        FakeDialogs dialogs;
        drive::click(window, "cmdPrint");
        QCOMPARE(dialogs.printDialogs, 1);
        dialogs.printToPdf = m_out.filePath(QStringLiteral("geen/map/uit.pdf"));
        drive::click(window, "cmdPrint");
        QVERIFY(dialogs.messageTexts().value(0).startsWith(QStringLiteral("Het afdrukken is mislukt.")));
        dialogs.printToPdf = m_out.filePath(QStringLiteral("r50.pdf"));
        drive::click(window, "cmdPrint");

        const QStringList pages = pageTexts(dialogs.printToPdf);
        QCOMPARE(pages.size(), 2);
        for (const auto& [p, rows, first] : {std::tuple{0, 47, 1}, std::tuple{1, 3, 48}}) {
            QCOMPARE(pages[p].count(QStringLiteral("Leerling ")), rows);
            for (const QString& text :
                 {QStringLiteral("Leerling %1 ").arg(first), QStringLiteral("Pagina: %1").arg(p + 1),
                  QStringLiteral("Datum: 31-12-2023"), QStringLiteral("Velmora - resultaten")})
                QVERIFY2(pages[p].contains(text), qPrintable(text));
        }
        // Sampled right of the text in the name column, and in the gap below a row; the layout
        // is shrunk when the paper is smaller than it.
        const QImage first = pageImage(dialogs.printToPdf, 1, 96);
        const QImage second = pageImage(dialogs.printToPdf, 2, 96);
        const QSize layout = frmResultaatPrint::PageSize;
        const qreal pixelsPerTwip = std::min(
            {96.0 / 1440, first.width() / qreal(layout.width()), first.height() / qreal(layout.height())});
        const auto at = [&](const QImage& image, int row, int dy) {
            return image.pixel(qRound(3500 * pixelsPerTwip), qRound((1680 + 300 * row + dy) * pixelsPerTwip));
        };
        const QRgb dark = qRgb(200, 200, 200), light = qRgb(220, 220, 220), paper = qRgb(255, 255, 255);
        for (int row = 0; row < 5; ++row) {
            QCOMPARE(at(first, row, 127), row % 2 == 0 ? dark : light);
            QCOMPARE(at(first, row, 277), paper);
            QCOMPARE(at(second, row, 127), row >= 3 ? paper : row % 2 == 0 ? dark : light);
        }
    }

    void clearingEmptiesOnlyWhatTheTeacherSaw()
    {
        TestFolder folder;
        const QByteArray anna = "Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\n";
        folder.write(Res, anna);
        frmResultaat window;
        QVERIFY(drive::show(window));
        FakeDialogs dialogs;
        // Enter answers No.
        dialogs.messageAnswers.enqueue(FakeDialogs::Key::Enter);
        drive::click(window, "cmdClear");
        QCOMPARE(dialogs.messages.value(0).text, QStringLiteral("Weet u dit zeker?"));
        QCOMPARE(folder.read(Res), anna);
        // A pupil finishes while the window is open: Yes deletes nothing and shows the new result.
        QVERIFY(!velmora::ResultsFile::append(velmora::ResultsFile::path(), QStringLiteral("Bram"),
                                              QStringLiteral("Europa"), 1, 10, 9));
        const QByteArray both = folder.read(Res);
        dialogs.messageAnswers.enqueue(MessageAnswer::Yes);
        drive::click(window, "cmdClear");
        QVERIFY(dialogs.messages.value(2).text.startsWith(
            QStringLiteral("Intussen zijn er nieuwe resultaten binnengekomen.")));
        QCOMPARE(folder.read(Res), both);
        QCOMPARE(grid(window)->model()->rowCount(), 2);

        // Asked again with the new result in view, Yes empties the file in place
        // (pupil programs that hold it open keep a valid file) and closes.
        const auto inode = [&] {
            const auto info = velmora::PlatformFile::infoOf(folder.file(Res));
            return std::holds_alternative<velmora::PlatformFile::Info>(info)
                       ? std::get<velmora::PlatformFile::Info>(info).index
                       : 0;
        };
        const auto before = inode();
        // The answers per place are kept unless the teacher says otherwise; Enter keeps them.
        const QString answers = QStringLiteral("antwoorden.csv");
        folder.write(answers, "Datum;Tijd\r\n");
        dialogs.messageAnswers << MessageAnswer::Yes << FakeDialogs::Key::Enter;
        drive::click(window, "cmdClear");
        QCOMPARE(folder.read(Res), QByteArray());
        QCOMPARE(inode(), before);
        QVERIFY(dialogs.messages.value(4).text.startsWith(QStringLiteral("Wilt u ook alle antwoorden")));
        QCOMPARE(dialogs.messages.value(5).text, QStringLiteral("De resultaten zijn geleegd."));
        QVERIFY(!window.isVisible());
        QCOMPARE(folder.read(answers), QByteArray("Datum;Tijd\r\n"));
        frmResultaat again;
        dialogs.messageAnswers << MessageAnswer::Yes << MessageAnswer::Yes;
        QVERIFY(drive::show(again));
        drive::click(again, "cmdClear");
        QCOMPARE(folder.read(answers), QByteArray());

        // A file too large to read is offered to be emptied: No keeps it, Yes empties it.
        QFile huge(folder.file(Res));
        QVERIFY(huge.resize(velmora::ResultsFile::FileLimit + 1));
        dialogs.messages.clear();
        {
            frmResultaat kept;
            QVERIFY(dialogs.messages.value(0).text.contains(QStringLiteral("Wilt u het leegmaken?")));
            QCOMPARE(QFileInfo(folder.file(Res)).size(), velmora::ResultsFile::FileLimit + 1);
        }
        dialogs.messageAnswers.enqueue(MessageAnswer::Yes);
        frmResultaat emptied;
        QCOMPARE(folder.read(Res), QByteArray());
        QCOMPARE(grid(emptied)->model()->rowCount(), 0);
    }
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

        // One page; a click beside the entries keeps the chosen one.
        drive::selectRow(list, 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->viewport()->height() - 3));
        QVERIFY(list->item(0)->isSelected() && print->isEnabled());
        FakeDialogs dialogs;
        dialogs.printToPdf = m_out.filePath(QStringLiteral("europa.pdf"));
        drive::click(print);
        QCOMPARE(pageTexts(dialogs.printToPdf).size(), 1);
        // Wider than high, so the print dialog offers landscape.
        QCOMPARE(dialogs.offeredOrientation, QPageLayout::Landscape);
        // A small map prints at its natural size (400 x 300 pixels at 96 dpi), not enlarged.
        const QRect sand = extent(pageImage(dialogs.printToPdf, 1, 96), Sand);
        QVERIFY(qAbs(sand.width() - 400) <= 2 && qAbs(sand.height() - 300) <= 2);

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

    void levelsAndOptionsDecideThePieces()
    {
        TestFolder folder;
        writeMaps(folder);
        // Level 3 shows every item, the last one too.
        for (const auto& [niveau, optie, markers] : {std::tuple{1, int(frmKaart::ZonderNamen), 3},
                                                     {2, int(frmKaart::LegeKaart), 0},
                                                     {3, int(frmKaart::MetNamen), 5}}) {
            frmKaart view;
            // The map file field as the register holds it, blanks and all.
            QVERIFY(!view.compose(QStringLiteral("Europa"), QStringLiteral("europa.krt  "), niveau, optie));
            for (int i = 1; i <= 5; ++i) {
                QCOMPARE(bool(view.findChild<QObject*>(QStringLiteral("shpPlaatsSml_%1").arg(i))),
                         i <= markers);
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
    }
};

QTEST_MAIN(TestPrintWindows)
#include "tst_printwindows.moc"
