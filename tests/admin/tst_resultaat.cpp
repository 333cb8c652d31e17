#include "fakedialogs.h"
#include "frmresultaat.h"
#include "frmresultaatprint.h"
#include "pdffile.h"
#include "resultsfile.h"
#include "testfolder.h"
#include "windowdriver.h"

#include <QImage>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace korveladmin;
using velmora::MessageAnswer;

namespace {

const QString Res = QStringLiteral("toets.res");

QTableView* grid(frmResultaat& window)
{
    return window.findChild<QTableView*>(QStringLiteral("Grid"));
}

} // namespace

class TestResultaat : public QObject
{
    Q_OBJECT
    QTemporaryDir m_out;

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
        QCOMPARE(folder.read(Res), bytes);
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

        const QStringList pages = pdffile::pageTexts(dialogs.printToPdf);
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
        const QImage first = pdffile::pageImage(dialogs.printToPdf, 1, 96);
        const QImage second = pdffile::pageImage(dialogs.printToPdf, 2, 96);
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

    void clearingDeletesOnlyWhatTheTeacherSaw()
    {
        TestFolder folder;
        const QByteArray anna = "Anna\r\nEuropa\r\n 2 \r\n 20 \r\n 17 \r\n";
        folder.write(Res, anna);
        frmResultaat window;
        QVERIFY(drive::show(window));
        FakeDialogs dialogs;
        // No changes nothing.
        drive::click(window, "cmdClear");
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

        // Asked again with the new result in view, Yes clears and closes.
        dialogs.messageAnswers.enqueue(MessageAnswer::Yes);
        drive::click(window, "cmdClear");
        QVERIFY(!folder.exists(Res));
        QCOMPARE(dialogs.messages.value(4).text, QStringLiteral("De resultaten zijn geleegd."));
        QVERIFY(!window.isVisible());
        // Opened again: the file is made anew, empty.
        frmResultaat again;
        QCOMPARE(folder.read(Res), QByteArray());
    }
};

QTEST_MAIN(TestResultaat)
#include "tst_resultaat.moc"
