#include "frmoverzicht.h"

#include "answersfile.h"
#include "busypointer.h"
#include "controls.h"
#include "dialogs.h"
#include "printjob.h"
#include "score.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

using namespace velmora;

namespace korveladmin {
namespace {

const QString AllPupils = QStringLiteral("Alle leerlingen");

QComboBox* choice(const QString& name, const QStringList& entries, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(entries);
    return box;
}

QTableWidget* table(const QString& name, const QStringList& headings, QWidget* parent)
{
    auto* grid = new QTableWidget(0, int(headings.size()), parent);
    grid->setObjectName(name);
    grid->setHorizontalHeaderLabels(headings);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->horizontalHeader()->setStretchLastSection(true);
    Controls::markOnlySelected(grid);
    return grid;
}

// The columns from `firstNumber` on hold numbers: they line up on the right.
void fill(QTableWidget* grid, const QList<QStringList>& rows, int firstNumber)
{
    grid->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows[row].size(); ++column) {
            auto* cell = new QTableWidgetItem(rows[row][column]);
            if (column >= firstNumber)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->setItem(row, column, cell);
        }
    }
    grid->resizeColumnsToContents();
}

QList<QStringList> rows(const QTableWidget* grid)
{
    QList<QStringList> all;
    for (int row = 0; row < grid->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < grid->columnCount(); ++column)
            cells.append(grid->item(row, column)->text());
        all.append(cells);
    }
    return all;
}

QString htmlTable(const QTableWidget* grid)
{
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><thead><tr>");
    for (int column = 0; column < grid->columnCount(); ++column)
        html += QStringLiteral("<th>%1</th>").arg(grid->horizontalHeaderItem(column)->text().toHtmlEscaped());
    html += QStringLiteral("</tr></thead>");
    for (const QStringList& cells : rows(grid)) {
        html += QStringLiteral("<tr>");
        for (const QString& cell : cells)
            html += QStringLiteral("<td>%1</td>").arg(cell.toHtmlEscaped());
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

} // namespace

frmOverzicht::frmOverzicht(std::function<QDate()> today, QWidget* parent)
    : QDialog(parent), m_today(std::move(today))
{
    setObjectName(QStringLiteral("frmOverzicht"));
    setWindowTitle(QStringLiteral("Overzicht per plaats"));
    {
        BusyPointer busy;
        auto read = PlaceOverview::readFile(AnswersFile::path());
        if (const auto* error = std::get_if<DataError>(&read))
            Dialogs::notify(error->message(), MessageIcon::Critical);
        else
            m_answers = std::move(std::get<QByteArray>(read));
    }
    const PlaceOverview::Choices choices = PlaceOverview::choices(m_answers);
    m_kaart = choice(QStringLiteral("cboKaart"), choices.kaarten, this);
    m_niveau =
        choice(QStringLiteral("cboNiveau"),
               {QStringLiteral("Niveau 1"), QStringLiteral("Niveau 2"), QStringLiteral("Niveau 3")}, this);
    m_toetsen = new QCheckBox(QStringLiteral("Alleen toetsen"), this);
    m_toetsen->setObjectName(QStringLiteral("chkToetsen"));
    m_leerling = choice(QStringLiteral("cboLeerling"), QStringList{AllPupils} + choices.leerlingen, this);
    m_periode = choice(QStringLiteral("cboPeriode"),
                       {QStringLiteral("Vandaag"), QStringLiteral("Deze week"), QStringLiteral("Deze maand"),
                        QStringLiteral("Alles")},
                       this);
    m_periode->setCurrentIndex(int(PlaceOverview::Period::Alles));
    m_plaatsen = table(QStringLiteral("gridPlaatsen"),
                       {QStringLiteral("Plaats"), QStringLiteral("Gevraagd"), QStringLiteral("Fout"),
                        QStringLiteral("% fout")},
                       this);
    m_tests = table(QStringLiteral("gridToetsen"),
                    {QStringLiteral("Leerling"), QStringLiteral("Datum"), QStringLiteral("Gevraagd"),
                     QStringLiteral("Goed"), QStringLiteral("Score")},
                    this);

    for (QComboBox* box : {m_kaart, m_niveau, m_leerling, m_periode})
        connect(box, &QComboBox::currentIndexChanged, this, &frmOverzicht::recount);
    connect(m_toetsen, &QCheckBox::toggled, this, &frmOverzicht::recount);
    auto* print = Controls::button(QStringLiteral("cmdPrint"), QStringLiteral("Afdrukken"), this);
    auto* end = Controls::button(QStringLiteral("cmdEnd"), QStringLiteral("Sluiten"), this);
    for (QPushButton* b : {print, end})
        b->setAutoDefault(false);
    connect(print, &QPushButton::clicked, this, &frmOverzicht::printOverview);
    connect(end, &QPushButton::clicked, this, &QDialog::reject);

    auto* filters = new QGridLayout;
    const QList<std::pair<QString, QWidget*>> labelled{{QStringLiteral("Kaart:"), m_kaart},
                                                       {QStringLiteral("Niveau:"), m_niveau},
                                                       {QStringLiteral("Leerling:"), m_leerling},
                                                       {QStringLiteral("Periode:"), m_periode}};
    for (int i = 0; i < labelled.size(); ++i) {
        auto* label = new QLabel(labelled[i].first, this);
        label->setBuddy(labelled[i].second);
        filters->addWidget(label, i / 2, (i % 2) * 2);
        filters->addWidget(labelled[i].second, i / 2, (i % 2) * 2 + 1);
    }
    filters->addWidget(m_toetsen, 2, 1);
    auto* grids = new QHBoxLayout;
    grids->addWidget(m_plaatsen, 1);
    grids->addWidget(m_tests, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(end);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addLayout(grids, 1);
    layout->addLayout(buttons);
    resize(840, 520);
    recount();
}

PlaceOverview::Filter frmOverzicht::filter() const
{
    return {m_kaart->currentText(),
            m_niveau->currentIndex() + 1,
            m_toetsen->isChecked(),
            m_leerling->currentIndex() > 0 ? m_leerling->currentText() : QString(),
            PlaceOverview::Period(m_periode->currentIndex()),
            m_today()};
}

void frmOverzicht::recount()
{
    BusyPointer busy;
    const PlaceOverview overview = PlaceOverview::count(m_answers, filter());
    QList<QStringList> places;
    for (const PlaceOverview::Place& p : overview.places())
        places.append(
            {p.naam, QString::number(p.gevraagd), QString::number(p.fout), Score::text(p.fout, p.gevraagd)});
    fill(m_plaatsen, places, 1);
    QList<QStringList> tests;
    for (const PlaceOverview::Test& t : overview.tests())
        tests.append({t.leerling, QLocale().toString(t.begonnen.date(), QLocale::ShortFormat),
                      QString::number(t.gevraagd), QString::number(t.goed), Score::text(t.goed, t.gevraagd)});
    fill(m_tests, tests, 2);
}

bool frmOverzicht::paint(QPrinter& printer) const
{
    printer.setDocName(QStringLiteral("Velmora - overzicht per plaats"));
    QString html = QStringLiteral("<h2>Overzicht per plaats: %1, %2</h2><p>%3, %4%5</p>")
                       .arg(m_kaart->currentText().toHtmlEscaped(), m_niveau->currentText(),
                            m_leerling->currentText().toHtmlEscaped(), m_periode->currentText(),
                            m_toetsen->isChecked() ? QStringLiteral(", alleen toetsen") : QString());
    html += htmlTable(m_plaatsen);
    if (m_tests->rowCount() > 0)
        html += QStringLiteral("<h3>Toetsen</h3>") + htmlTable(m_tests);
    QTextDocument document;
    document.setHtml(html);
    document.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

void frmOverzicht::printOverview()
{
    PrintJob::run([this](QPrinter& printer) { return paint(printer); });
}

} // namespace korveladmin
