#pragma once

#include "resultrecord.h"
#include "resultstable.h"

#include <QColor>
#include <QDate>
#include <QFont>
#include <QList>
#include <QLocale>
#include <QRect>
#include <QSize>
#include <QStringList>

class QPainter;
class QPrinter;

namespace korveladmin {

// The page layout of the results printout. It is never shown: its boxes are
// drawn straight onto the printer's pages, in twips from the paper's corner.
class frmResultaatPrint
{
public:
    static constexpr QSize PageSize{11895, 16800};
    static constexpr int RowsPerPage = 47;

    // All pages in one print job, each made from its own records only;
    // false when the printer could not be used.
    static bool print(QPrinter& printer, const velmora::ResultsTable& records, const QDate& date);

private:
    static QRect titleBox() { return {360, 240, 5175, 735}; }
    static QRect pageBox() { return {9000, 480, 2055, 255}; }
    static QRect dateBox() { return {9000, 720, 2055, 255}; }
    static QRect headingBox(int column);
    static QRect cellBox(int row, int column);
    // Rows alternate from the darker one at the top of every page.
    static QColor rowBackground(int row);
    static QStringList headings();

    static QFont titleFont();
    static QFont textFont(bool bold = false);

    // The six cells of a record as printed: the counts as numbers, without
    // the blanks around them; a line that holds no number prints as it
    // stands, trimmed, and then there is no score.
    static QStringList cells(const velmora::ResultRecord& record, const QLocale& locale = QLocale());
    // Every printout has at least one page, also without records.
    static int pageCount(qsizetype records);

    // Page `page` (from 1) of a printout holding `rows` (at most RowsPerPage).
    static void paintPage(QPainter& painter, int page, const QDate& date,
                          const QList<velmora::ResultRecord>& rows, const QLocale& locale = QLocale());
};

} // namespace korveladmin
