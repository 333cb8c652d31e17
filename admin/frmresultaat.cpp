#include "frmresultaat.h"

#include "busypointer.h"
#include "controls.h"
#include "dialogs.h"
#include "frmresultaatprint.h"
#include "paperpage.h"
#include "resultsfile.h"
#include "score.h"
#include "twips.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

using velmora::Dialogs;
using velmora::MessageAnswer;
using velmora::MessageButtons;
using velmora::MessageIcon;

namespace korveladmin {
namespace {

constexpr std::array<int, 5> ColumnTwips{2000, 1845, 700, 700, 700};
const QString ClearCaption = QStringLiteral("Resultaten wissen");

} // namespace

frmResultaat::frmResultaat(QWidget* parent)
    : QDialog(parent), m_grid(new QTableWidget(0, 6, this)), m_today([] { return QDate::currentDate(); })
{
    setObjectName(QStringLiteral("frmResultaat"));
    setWindowTitle(QStringLiteral("Resultaten toets"));

    m_grid->setObjectName(QStringLiteral("Grid"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Naam"), QStringLiteral("Kaart"),
                                       QStringLiteral("Niveau"), QStringLiteral("Gedaan"),
                                       QStringLiteral("Goed"), QStringLiteral("Score")});
    // A heading wider than its column widens it just enough to be read whole.
    for (int column = 0; column < int(ColumnTwips.size()); ++column)
        m_grid->setColumnWidth(column, std::max(velmora::Twips::toPixels(ColumnTwips[std::size_t(column)]),
                                                m_grid->horizontalHeader()->sectionSizeHint(column)));
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setWordWrap(false);
    Controls::markOnlySelected(m_grid);

    auto* clear = Controls::button(QStringLiteral("cmdClear"), QStringLiteral("Resultaten wissen"), this);
    auto* print = Controls::button(QStringLiteral("cmdPrint"), QStringLiteral("Afdrukken"), this);
    auto* end = Controls::button(QStringLiteral("cmdEnd"), QStringLiteral("Sluiten"), this);
    // Enter in the grid presses no button: none of them is harmless.
    for (QPushButton* b : {clear, print, end})
        b->setAutoDefault(false);
    connect(clear, &QPushButton::clicked, this, &frmResultaat::clearResults);
    connect(print, &QPushButton::clicked, this, &frmResultaat::printResults);
    connect(end, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(clear);
    buttons->addWidget(print);
    buttons->addWidget(end);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(680, 420);

    fillGrid();
}

void frmResultaat::setClock(std::function<QDate()> today)
{
    m_today = std::move(today);
}

void frmResultaat::fillGrid()
{
    // Opening leaves an empty file behind for pupils to append to; when the
    // folder cannot take it there is nothing to show and nothing is lost.
    const QString path = velmora::ResultsFile::path();
    velmora::ResultsFile::ensureExists(path);
    const QList<velmora::ResultRecord> records = velmora::ResultsFile::readFile(path);
    m_grid->setRowCount(int(records.size()));
    for (int row = 0; row < records.size(); ++row) {
        const velmora::ResultRecord& r = records[row];
        const QStringList texts{r.naam,       r.kaart,    r.niveauLine,
                                r.gedaanLine, r.goedLine, velmora::Score::text(r.goed(), r.gedaan())};
        for (int column = 0; column < texts.size(); ++column)
            m_grid->setItem(row, column, new QTableWidgetItem(texts[column]));
    }
}

void frmResultaat::clearResults()
{
    if (Dialogs::current().message(QStringLiteral("Weet u dit zeker?"), ClearCaption, MessageIcon::Question,
                                   MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    QFile file(velmora::ResultsFile::path());
    if (file.exists() && !file.remove()) {
        Dialogs::current().message(
            QStringLiteral("De resultaten konden niet worden gewist (%1).").arg(file.errorString()),
            ClearCaption, MessageIcon::Critical, MessageButtons::Ok);
        return;
    }
    Dialogs::current().message(QStringLiteral("De resultaten zijn geleegd."), ClearCaption,
                               MessageIcon::Information, MessageButtons::Ok);
    accept();
}

void frmResultaat::printResults()
{
    const std::unique_ptr<QPrinter> printer = Dialogs::current().choosePrinter();
    if (!printer)
        return;
    velmora::BusyPointer busy;
    const QList<velmora::ResultRecord> records = velmora::ResultsFile::readFile(velmora::ResultsFile::path());
    if (!frmResultaatPrint::print(*printer, records, m_today())) {
        busy.release();
        PaperPage::reportFailure();
    }
}

} // namespace korveladmin
