#include "fakedialogs.h"
#include "frmresultaat.h"
#include "frmresultaatprint.h"
#include "paperpage.h"
#include "pdffile.h"
#include "readonlyfolder.h"
#include "resultsfile.h"
#include "testfolder.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace korveladmin;
using velmora::MessageAnswer;
using velmora::MessageButtons;
using velmora::MessageIcon;

namespace {

// Twips to points on the paper, shrunk as the printout shrinks the layout when
// the paper is smaller than it.
qreal pointsPerTwip(const PdfFile& pdf)
{
    const QSizeF points = pdf.pageSize();
    if (points.isEmpty())
        return 0;
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

QString cell(QTableWidget* grid, int row, int column)
{
    QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QStringLiteral("<geen>");
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
        window.findChild<QPushButton*>(QStringLiteral("cmdPrint"))->click();
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
        folder.write(QStringLiteral("toets.res"), bytes);
        frmResultaat window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Resultaten toets"));
        auto* grid = window.findChild<QTableWidget*>(QStringLiteral("Grid"));
        QVERIFY(grid);
        QStringList headings;
        for (int column = 0; column < grid->columnCount(); ++column)
            headings.append(grid->horizontalHeaderItem(column)->text());
        QCOMPARE(headings,
                 (QStringList{QStringLiteral("Naam"), QStringLiteral("Kaart"), QStringLiteral("Niveau"),
                              QStringLiteral("Gedaan"), QStringLiteral("Goed"), QStringLiteral("Score")}));
        QCOMPARE(grid->columnWidth(0), 133);
        QCOMPARE(grid->columnWidth(1), 123);
        QCOMPARE(grid->columnWidth(4), 47);

        // The unfinished last record is left out; the whole ones stand in file order.
        QCOMPARE(grid->rowCount(), 4);
        QCOMPARE(cell(grid, 0, 0), QStringLiteral("Anna, de Wit"));
        QCOMPARE(cell(grid, 0, 2), QStringLiteral(" 2 "));
        QCOMPARE(cell(grid, 0, 3), QStringLiteral(" 3 "));
        QCOMPARE(cell(grid, 0, 5), QStringLiteral("66,6"));
        QCOMPARE(cell(grid, 1, 1), QStringLiteral("Nederland"));
        QCOMPARE(cell(grid, 1, 5), QStringLiteral("85"));
        QCOMPARE(cell(grid, 2, 1), QStringLiteral("Azië"));
        QCOMPARE(cell(grid, 2, 5), QString());
        QCOMPARE(cell(grid, 3, 3), QStringLiteral(" veel "));
        QCOMPARE(cell(grid, 3, 5), QString());
        // Opening changes nothing in an existing file.
        QCOMPARE(folder.read(QStringLiteral("toets.res")), bytes);
    }

    void missingFileIsCreatedEmptyAndPrintsOnePage()
    {
        TestFolder folder;
        frmResultaat window;
        window.setClock([] { return QDate(2024, 3, 7); });
        QVERIFY(folder.exists(QStringLiteral("toets.res")));
        QCOMPARE(folder.read(QStringLiteral("toets.res")), QByteArray());
        QCOMPARE(window.findChild<QTableWidget*>(QStringLiteral("Grid"))->rowCount(), 0);

        const PdfFile pdf = printOnce(window, QStringLiteral("leeg.pdf"));
        QCOMPARE(pdf.pages(), 1);
        const QString text = pdf.pageTexts().value(0);
        for (const char* expected : {"Velmora - resultaten", "Pagina: 1", "Datum: 07-03-2024", "Naam",
                                     "Kaart", "Niveau", "Aant Ged.", "Aant Goed", "Score"})
            QVERIFY2(text.contains(QString::fromLatin1(expected)), expected);

        // Texts stand at their twip positions from the paper's corner.
        const QString boxes = pdf.wordBoxes();
        const qreal scale = pointsPerTwip(pdf);
        QVERIFY(scale > 0);
        const auto wordAt = [&](const QString& word) {
            const auto m = QRegularExpression(QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>") +
                                              QRegularExpression::escape(word) + u'<')
                               .match(boxes);
            return m.hasMatch() ? QPointF(m.captured(1).toDouble(), m.captured(2).toDouble())
                                : QPointF(-1, -1);
        };
        QVERIFY(qAbs(wordAt(QStringLiteral("Velmora")).x() - 360 * scale) < 3);
        QVERIFY(qAbs(wordAt(QStringLiteral("Pagina:")).x() - 9000 * scale) < 3);
        QVERIFY(qAbs(wordAt(QStringLiteral("Datum:")).y() - wordAt(QStringLiteral("Pagina:")).y() -
                     240 * scale) < 2);
        QVERIFY(qAbs(wordAt(QStringLiteral("Ged.")).y() - 1200 * scale) < 4);

        // A cancelled print dialog prints nothing.
        FakeDialogs cancelled;
        window.findChild<QPushButton*>(QStringLiteral("cmdPrint"))->click();
        QCOMPARE(cancelled.printDialogs, 1);
        QVERIFY(cancelled.messages.isEmpty());

        // A printer that cannot take the job is reported.
        cancelled.printToPdf = m_out.filePath(QStringLiteral("geen/map/uit.pdf"));
        window.findChild<QPushButton*>(QStringLiteral("cmdPrint"))->click();
        QCOMPARE(cancelled.messages.size(), 1);
        QVERIFY(cancelled.messages[0].text.startsWith(QStringLiteral("Het afdrukken is mislukt.")));
        QCOMPARE(cancelled.messages[0].icon, MessageIcon::Critical);
    }

    void pagesBreakAfterFortySevenRows()
    {
        struct Case
        {
            int records;
            QList<int> rowsPerPage;
        };
        for (const Case& c : {Case{47, {47}}, Case{48, {47, 1}}, Case{94, {47, 47}}}) {
            TestFolder folder;
            folder.write(QStringLiteral("toets.res"), records(c.records));
            frmResultaat window;
            window.setClock([] { return QDate(2023, 12, 31); });
            const PdfFile pdf = printOnce(window, QStringLiteral("r%1.pdf").arg(c.records));
            QCOMPARE(pdf.pages(), int(c.rowsPerPage.size()));
            const QStringList pages = pdf.pageTexts();
            QCOMPARE(pages.size(), c.rowsPerPage.size());
            int first = 1;
            for (int p = 0; p < pages.size(); ++p) {
                QCOMPARE(pages[p].count(QStringLiteral("Leerling ")), c.rowsPerPage[p]);
                QVERIFY(pages[p].contains(QStringLiteral("Leerling %1 ").arg(first)));
                QVERIFY(pages[p].contains(QStringLiteral("Pagina: %1").arg(p + 1)));
                QVERIFY(pages[p].contains(QStringLiteral("Datum: 31-12-2023")));
                first += c.rowsPerPage[p];
            }
        }
    }

    void rowsAlternateStartingDarkOnEveryPage()
    {
        TestFolder folder;
        folder.write(QStringLiteral("toets.res"), records(50));
        frmResultaat window;
        const PdfFile pdf = printOnce(window, QStringLiteral("kleuren.pdf"));
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
        QCOMPARE(at(second, 0, 127), dark);
        QCOMPARE(at(second, 1, 127), light);
        QCOMPARE(at(second, 2, 127), dark);
        QCOMPARE(at(second, 3, 127), paper);
    }

    void printedCellsDropTheBlanks()
    {
        const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
        const auto cellsOf = [&](const char* niveau, const char* gedaan, const char* goed) {
            return frmResultaatPrint::cells({QStringLiteral("Anna"), QStringLiteral("Europa"),
                                             QString::fromLatin1(niveau), QString::fromLatin1(gedaan),
                                             QString::fromLatin1(goed)},
                                            dutch);
        };
        QCOMPARE(cellsOf(" 2 ", " 3 ", " 2 "),
                 (QStringList{QStringLiteral("Anna"), QStringLiteral("Europa"), QStringLiteral("2"),
                              QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("66,6")}));
        QCOMPARE(cellsOf(" 3 ", " 20 ", " 20 ").last(), QStringLiteral("100"));
        QCOMPARE(cellsOf(" 1 ", " 0 ", " 0 ").mid(3),
                 (QStringList{QStringLiteral("0"), QStringLiteral("0"), {}}));
        QCOMPARE(cellsOf(" 1 ", " veel ", " 4 ").mid(3),
                 (QStringList{QStringLiteral("veel"), QStringLiteral("4"), QString()}));
        QCOMPARE(frmResultaatPrint::pageCount(0), 1);
        QCOMPARE(frmResultaatPrint::pageCount(95), 3);
    }

    void pageTextsFitTheirBoxes()
    {
        struct Text
        {
            QRect box;
            QFont font;
            QString text;
        };
        QList<Text> texts{
            {frmResultaatPrint::titleBox(), frmResultaatPrint::titleFont(),
             QStringLiteral("Velmora - resultaten")},
            {frmResultaatPrint::pageBox(), frmResultaatPrint::textFont(), QStringLiteral("Pagina: 999")},
            {frmResultaatPrint::dateBox(), frmResultaatPrint::textFont(),
             QStringLiteral("Datum: 28-08-2088")},
            {frmResultaatPrint::cellBox(46, 5), frmResultaatPrint::textFont(), QStringLiteral("100")},
            {frmResultaatPrint::cellBox(46, 5), frmResultaatPrint::textFont(), QStringLiteral("88,8")},
            {frmResultaatPrint::cellBox(46, 3), frmResultaatPrint::textFont(), QStringLiteral("32767")}};
        for (int column = 0; column < frmResultaatPrint::Columns; ++column)
            texts.append({frmResultaatPrint::headingBox(column), frmResultaatPrint::textFont(true),
                          frmResultaatPrint::headings()[column]});
        for (const Text& t : texts) {
            const QFontMetrics metrics(PaperPage::inTwips(t.font));
            QVERIFY2(metrics.horizontalAdvance(t.text) <= t.box.width(), qPrintable(t.text));
            QVERIFY2(metrics.height() <= t.box.height(), qPrintable(t.text));
        }
        QVERIFY(frmResultaatPrint::cellBox(46, 0).bottom() < frmResultaatPrint::PageSize.height());
    }

    void printingTwiceGivesTheSamePages()
    {
        TestFolder folder;
        folder.write(QStringLiteral("toets.res"), records(60));
        frmResultaat window;
        window.setClock([] { return QDate(2024, 1, 2); });
        const PdfFile a = printOnce(window, QStringLiteral("eerste.pdf"));
        const PdfFile b = printOnce(window, QStringLiteral("tweede.pdf"));
        QCOMPARE(a.pages(), 2);
        QCOMPARE(b.pages(), 2);
        QCOMPARE(a.pageTexts(), b.pageTexts());
        for (int page = 1; page <= 2; ++page) {
            const QImage one = a.pageImage(page, 50);
            QVERIFY(!one.isNull());
            QCOMPARE(one, b.pageImage(page, 50));
        }
        QVERIFY(window.findChild<QTableWidget*>(QStringLiteral("Grid"))->rowCount() == 60);
    }

    void clearingAsksThenDeletesAndCloses()
    {
        TestFolder folder;
        const QByteArray bytes = "Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\n";
        folder.write(QStringLiteral("toets.res"), bytes);
        {
            frmResultaat window;
            window.show();
            FakeDialogs dialogs;
            dialogs.messageAnswers.enqueue(MessageAnswer::No);
            window.findChild<QPushButton*>(QStringLiteral("cmdClear"))->click();
            QCOMPARE(dialogs.messages.size(), 1);
            QCOMPARE(dialogs.messages[0].text, QStringLiteral("Weet u dit zeker?"));
            QCOMPARE(dialogs.messages[0].caption, QStringLiteral("Resultaten wissen"));
            QCOMPARE(dialogs.messages[0].icon, MessageIcon::Question);
            QCOMPARE(dialogs.messages[0].buttons, MessageButtons::YesNo);
            QCOMPARE(folder.read(QStringLiteral("toets.res")), bytes);
            QVERIFY(window.isVisible());

            dialogs.messageAnswers.enqueue(MessageAnswer::Yes);
            window.findChild<QPushButton*>(QStringLiteral("cmdClear"))->click();
            QVERIFY(!folder.exists(QStringLiteral("toets.res")));
            QCOMPARE(dialogs.messages.size(), 3);
            QCOMPARE(dialogs.messages[2].text, QStringLiteral("De resultaten zijn geleegd."));
            QCOMPARE(dialogs.messages[2].caption, QStringLiteral("Resultaten wissen"));
            QCOMPARE(dialogs.messages[2].icon, MessageIcon::Information);
            QCOMPARE(dialogs.messages[2].buttons, MessageButtons::Ok);
            QVERIFY(!window.isVisible());
        }
        frmResultaat reopened;
        QCOMPARE(reopened.findChild<QTableWidget*>(QStringLiteral("Grid"))->rowCount(), 0);
        QCOMPARE(folder.read(QStringLiteral("toets.res")), QByteArray());
        reopened.show();
        reopened.findChild<QPushButton*>(QStringLiteral("cmdEnd"))->click();
        QVERIFY(!reopened.isVisible());
    }

    void clearingThatFailsKeepsEverything()
    {
        TestFolder folder;
        const QByteArray bytes = "Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\n";
        folder.write(QStringLiteral("toets.res"), bytes);
        frmResultaat window;
        window.show();
        ReadOnlyFolder readOnly(folder.path());
        if (!readOnly.ok())
            QSKIP("this file system cannot make a folder read-only");
        FakeDialogs dialogs;
        dialogs.messageAnswers.enqueue(MessageAnswer::Yes);
        window.findChild<QPushButton*>(QStringLiteral("cmdClear"))->click();
        QCOMPARE(dialogs.messages.size(), 2);
        QVERIFY(
            dialogs.messages[1].text.startsWith(QStringLiteral("De resultaten konden niet worden gewist")));
        QCOMPARE(dialogs.messages[1].icon, MessageIcon::Critical);
        QCOMPARE(folder.read(QStringLiteral("toets.res")), bytes);
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(TestResultaat)
#include "tst_resultaat.moc"
