#include "fakedialogs.h"
#include "frmresultaat.h"
#include "frmresultaatprint.h"
#include "paperpage.h"
#include "pdffile.h"
#include "resultsfile.h"
#include "testfolder.h"
#include "windowdriver.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace korveladmin;
using velmora::MessageAnswer;
using velmora::MessageButtons;
using velmora::MessageIcon;

namespace {

const QString Res = QStringLiteral("toets.res");

// Twips to points on the paper, shrunk as the printout shrinks the layout when
// the paper is smaller than it.
qreal pointsPerTwip(const PdfFile& pdf)
{
    const QSizeF points = pdf.pageSize();
    return std::min({1.0, points.width() * 20 / frmResultaatPrint::PageSize.width(),
                     points.height() * 20 / frmResultaatPrint::PageSize.height()}) /
           20.0;
}

QByteArray records(int count)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes +=
            velmora::ResultsFile::recordBytes("Leerling " + QByteArray::number(i), "Europa", 1, 20, i % 21);
    return bytes;
}

QTableView* grid(frmResultaat& window)
{
    return window.findChild<QTableView*>(QStringLiteral("Grid"));
}

int rowCount(frmResultaat& window)
{
    return grid(window)->model()->rowCount();
}

// Shown, so that its buttons are clicked where the teacher sees them.
void click(frmResultaat& window, const char* button)
{
    if (!window.isVisible())
        QVERIFY(drive::show(window));
    drive::click(window, button);
}

} // namespace

class TestResultaat : public QObject
{
    Q_OBJECT
    QTemporaryDir m_out;

    PdfFile printOnce(frmResultaat& window, const QString& name)
    {
        FakeDialogs dialogs;
        dialogs.printToPdf = m_out.filePath(name);
        click(window, "cmdPrint");
        return PdfFile(dialogs.printToPdf);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
        QVERIFY(m_out.isValid());
    }

    void gridShowsTheFileAsItStands()
    {
        TestFolder folder;
        const QByteArray bytes = "Anna, de Wit\r\nEuropa\r\n 2 \r\n 3 \r\n 2 \r\n"
                                 "Bram\r\nNederland\r\n 1 \r\n 20 \r\n 17 \r\n"
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
            QStringList cells;
            for (int column = 0; column < 6; ++column)
                cells.append(model->index(row, column).data().toString());
            rows.append(cells.join(u'|'));
        }
        QCOMPARE(rows, (QStringList{QStringLiteral("Anna, de Wit|Europa| 2 | 3 | 2 |66,6"),
                                    QStringLiteral("Bram|Nederland| 1 | 20 | 17 |85"),
                                    QStringLiteral("Cas|Azië| 3 | 0 | 0 |"),
                                    QStringLiteral("Dirk|Afrika| 1 | veel | 4 |"),
                                    QStringLiteral("Eva|Europa| 1 |||")}));
        QCOMPARE(folder.read(Res), bytes);

        // Opening gives the grid the focus, yet no cell looks chosen until the teacher picks a row.
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(grid(window)->hasFocus());
        QWidget* cells = grid(window)->viewport();
        const QImage focused = cells->grab().toImage();
        drive::child(window, "cmdEnd")->setFocus();
        QCOMPARE(cells->grab().toImage(), focused);
        QTest::mouseClick(cells, Qt::LeftButton, {},
                          grid(window)->visualRect(grid(window)->model()->index(1, 2)).center());
        QVERIFY(grid(window)->selectionModel()->isRowSelected(1));
        QVERIFY(cells->grab().toImage() != focused);

        // Every heading is read whole, also in bold as it turns while its column holds the selection.
        QHeaderView* header = grid(window)->horizontalHeader();
        QFont bold = header->font();
        bold.setBold(true);
        const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int column = 0; column < model->columnCount(); ++column) {
            const QString heading = model->headerData(column, Qt::Horizontal).toString();
            QVERIFY2(QFontMetrics(bold).horizontalAdvance(heading) + 2 * margin <=
                         header->sectionSize(column),
                     qPrintable(heading));
        }
    }

    void missingFileIsCreatedEmptyAndPrintsOnePage()
    {
        TestFolder folder;
        frmResultaat window;
        window.setClock([] { return QDate(2024, 3, 7); });
        QCOMPARE(folder.read(Res), QByteArray());
        QCOMPARE(rowCount(window), 0);

        const PdfFile pdf = printOnce(window, QStringLiteral("leeg.pdf"));
        QCOMPARE(pdf.pages(), 1);
        const QString text = pdf.pageTexts().value(0);
        for (const char* expected : {"Velmora - resultaten", "Pagina: 1", "Datum: 07-03-2024", "Naam"})
            QVERIFY2(text.contains(QString::fromLatin1(expected)), expected);

        // A cancelled print dialog prints nothing; a printer that cannot take the job is reported.
        FakeDialogs dialogs;
        click(window, "cmdPrint");
        QCOMPARE(dialogs.printDialogs, 1);
        QVERIFY(dialogs.messages.isEmpty());
        dialogs.printToPdf = m_out.filePath(QStringLiteral("geen/map/uit.pdf"));
        click(window, "cmdPrint");
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].text.startsWith(QStringLiteral("Het afdrukken is mislukt.")));
        QCOMPARE(dialogs.messages[0].icon, MessageIcon::Critical);
    }

    // Forty-seven rows a page; on every page they alternate starting dark, with paper between.
    void pagesOfFortySevenAlternatingRows()
    {
        TestFolder folder;
        folder.write(Res, records(50));
        frmResultaat window;
        window.setClock([] { return QDate(2023, 12, 31); });
        const PdfFile pdf = printOnce(window, QStringLiteral("r50.pdf"));
        const QStringList pages = pdf.pageTexts();
        QCOMPARE(pages.size(), 2);
        for (const auto& [p, rows, first] : {std::tuple{0, 47, 1}, std::tuple{1, 3, 48}}) {
            QCOMPARE(pages[p].count(QStringLiteral("Leerling ")), rows);
            QVERIFY(pages[p].contains(QStringLiteral("Leerling %1 ").arg(first)));
            QVERIFY(pages[p].contains(QStringLiteral("Pagina: %1").arg(p + 1)));
            QVERIFY(pages[p].contains(QStringLiteral("Datum: 31-12-2023")));
        }

        const qreal pixelsPerTwip = pointsPerTwip(pdf) * 96.0 / 72.0;
        const QRgb dark = qRgb(200, 200, 200), light = qRgb(220, 220, 220), paper = qRgb(255, 255, 255);
        // Sampled right of the text in the name column, and in the gap below a row.
        const auto at = [&](const QImage& image, int row, int dy) {
            return image.pixel(qRound(3500 * pixelsPerTwip), qRound((1680 + 300 * row + dy) * pixelsPerTwip));
        };
        const QImage first = pdf.pageImage(1, 96);
        QVERIFY(!first.isNull());
        for (int row = 0; row < 47; ++row) {
            QCOMPARE(at(first, row, 127), row % 2 == 0 ? dark : light);
            QCOMPARE(at(first, row, 277), paper);
        }
        const QImage second = pdf.pageImage(2, 96);
        for (int row = 0; row < 4; ++row)
            QCOMPARE(at(second, row, 127), row == 3 ? paper : row % 2 == 0 ? dark : light);
    }

    void pageTextsFitTheirBoxes()
    {
        QList<std::tuple<QRect, QFont, QString>> texts{
            {frmResultaatPrint::titleBox(), frmResultaatPrint::titleFont(),
             QStringLiteral("Velmora - resultaten")},
            {frmResultaatPrint::pageBox(), frmResultaatPrint::textFont(), QStringLiteral("Pagina: 999")},
            {frmResultaatPrint::dateBox(), frmResultaatPrint::textFont(),
             QStringLiteral("Datum: 28-08-2088")},
            {frmResultaatPrint::cellBox(46, 5), frmResultaatPrint::textFont(), QStringLiteral("88,8")},
            {frmResultaatPrint::cellBox(46, 3), frmResultaatPrint::textFont(), QStringLiteral("32767")}};
        for (int column = 0; column < frmResultaatPrint::Columns; ++column)
            texts.append({frmResultaatPrint::headingBox(column), frmResultaatPrint::textFont(true),
                          frmResultaatPrint::headings()[column]});
        for (const auto& [box, font, text] : texts) {
            const QFontMetrics metrics(PaperPage::inTwips(font));
            QVERIFY2(metrics.horizontalAdvance(text) <= box.width(), qPrintable(text));
            QVERIFY2(metrics.height() <= box.height(), qPrintable(text));
        }
        QVERIFY(frmResultaatPrint::cellBox(46, 0).bottom() < frmResultaatPrint::PageSize.height());
    }

    void clearingDeletesOnlyWhatTheTeacherSaw()
    {
        TestFolder folder;
        const QByteArray anna = "Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\n";
        folder.write(Res, anna);
        auto window = std::make_unique<frmResultaat>();
        FakeDialogs dialogs;
        // No changes nothing.
        dialogs.messageAnswers.enqueue(MessageAnswer::No);
        click(*window, "cmdClear");
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].buttons, MessageButtons::YesNo);
        QCOMPARE(folder.read(Res), anna);

        // A pupil finishes while the window is open: Yes deletes nothing and shows the new result.
        QVERIFY(!velmora::ResultsFile::append(velmora::ResultsFile::path(), QStringLiteral("Bram"),
                                              QStringLiteral("Europa"), 1, 10, 9));
        const QByteArray both = folder.read(Res);
        dialogs.messages.clear();
        dialogs.messageAnswers.enqueue(MessageAnswer::Yes);
        click(*window, "cmdClear");
        QCOMPARE(dialogs.messages.size(), 2);
        QVERIFY(dialogs.messages[1].text.startsWith(
            QStringLiteral("Intussen zijn er nieuwe resultaten binnengekomen.")));
        QCOMPARE(folder.read(Res), both);
        QCOMPARE(rowCount(*window), 2);
        QVERIFY(window->isVisible());

        // Asked again with the new result in view, Yes clears and closes.
        dialogs.messages.clear();
        dialogs.messageAnswers.enqueue(MessageAnswer::Yes);
        click(*window, "cmdClear");
        QVERIFY(!folder.exists(Res));
        QCOMPARE(dialogs.messages.size(), 2);
        QCOMPARE(dialogs.messages[1].text, QStringLiteral("De resultaten zijn geleegd."));
        QVERIFY(!window->isVisible());

        window = std::make_unique<frmResultaat>();
        QCOMPARE(rowCount(*window), 0);
        QCOMPARE(folder.read(Res), QByteArray());
        click(*window, "cmdEnd");
        QVERIFY(!window->isVisible());
    }
};

QTEST_MAIN(TestResultaat)
#include "tst_resultaat.moc"
