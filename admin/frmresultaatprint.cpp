#include "frmresultaatprint.h"

#include "fonts.h"
#include "paperpage.h"
#include "score.h"

#include <QPainter>
#include <QPrinter>

#include <array>

using namespace velmora;

namespace korveladmin {
namespace {

struct Column
{
    int left;
    int width;
};
constexpr int Columns = 6;
constexpr std::array<Column, Columns> ColumnBoxes{
    {{360, 3255}, {3720, 3255}, {7080, 735}, {7920, 975}, {9000, 975}, {10080, 975}}};
constexpr int HeadingTop = 1200;
constexpr int FirstRowTop = 1680;
constexpr int RowPitch = 300;
constexpr int BoxHeight = 255;

QString numberOrText(const std::optional<int>& value, const QString& line)
{
    return value ? QString::number(*value) : line.trimmed();
}

} // namespace

QRect frmResultaatPrint::headingBox(int column)
{
    const Column& c = ColumnBoxes.at(std::size_t(column));
    return {c.left, HeadingTop, c.width, BoxHeight};
}

QRect frmResultaatPrint::cellBox(int row, int column)
{
    const Column& c = ColumnBoxes.at(std::size_t(column));
    return {c.left, FirstRowTop + RowPitch * row, c.width, BoxHeight};
}

QColor frmResultaatPrint::rowBackground(int row)
{
    return row % 2 == 1 ? QColor(220, 220, 220) : QColor(200, 200, 200);
}

QStringList frmResultaatPrint::headings()
{
    return {QStringLiteral("Naam"),      QStringLiteral("Kaart"),     QStringLiteral("Niveau"),
            QStringLiteral("Aant Ged."), QStringLiteral("Aant Goed"), QStringLiteral("Score")};
}

QFont frmResultaatPrint::titleFont()
{
    QFont font = Fonts::timesNewRoman(26.25, true);
    font.setItalic(true);
    return font;
}

QFont frmResultaatPrint::textFont(bool bold)
{
    return Fonts::msSansSerif(8.25, bold);
}

QStringList frmResultaatPrint::cells(const ResultRecord& record, const QLocale& locale)
{
    const std::optional<int> gedaan = record.gedaanValue();
    const std::optional<int> goed = record.goedValue();
    return {record.naam,
            record.kaart,
            numberOrText(record.niveauValue(), record.niveauLine),
            numberOrText(gedaan, record.gedaanLine),
            numberOrText(goed, record.goedLine),
            gedaan && goed ? Score::text(*goed, *gedaan, locale) : QString()};
}

int frmResultaatPrint::pageCount(qsizetype records)
{
    return records == 0 ? 1 : int((records + RowsPerPage - 1) / RowsPerPage);
}

void frmResultaatPrint::paintPage(QPainter& painter, int page, const QDate& date,
                                  const QList<ResultRecord>& rows, const QLocale& locale)
{
    painter.save();
    PaperPage::fit(painter, QRect(QPoint(0, 0), PageSize));
    const QFont text = PaperPage::inTwips(textFont());
    const QFont bold = PaperPage::inTwips(textFont(true));

    PaperPage::text(painter, titleBox(), QStringLiteral("Velmora - resultaten"),
                    PaperPage::inTwips(titleFont()));
    PaperPage::text(painter, pageBox(), QStringLiteral("Pagina: ") + QString::number(page), text);
    PaperPage::text(painter, dateBox(), QStringLiteral("Datum: ") + date.toString(u"dd-MM-yyyy"), text);
    const QStringList titles = headings();
    for (int column = 0; column < Columns; ++column)
        PaperPage::text(painter, headingBox(column), titles[column], bold);

    for (int row = 0; row < rows.size() && row < RowsPerPage; ++row) {
        const QStringList values = cells(rows[row], locale);
        for (int column = 0; column < Columns; ++column)
            PaperPage::text(painter, cellBox(row, column), values[column], text, rowBackground(row));
    }
    painter.restore();
}

bool frmResultaatPrint::print(QPrinter& printer, const ResultsTable& records, const QDate& date)
{
    // The layout counts from the paper's corner, not from the printable area.
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Velmora - resultaten"));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const int pages = pageCount(records.size());
    for (int page = 1; page <= pages; ++page) {
        if (page > 1 && !printer.newPage()) {
            painter.end();
            return false;
        }
        QList<ResultRecord> rows;
        for (qsizetype i = qsizetype(page - 1) * RowsPerPage; i < records.size() && rows.size() < RowsPerPage;
             ++i)
            rows.append(records.record(i));
        paintPage(painter, page, date, rows);
    }
    return painter.end();
}

} // namespace korveladmin
