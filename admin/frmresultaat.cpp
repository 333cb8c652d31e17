#include "frmresultaat.h"

#include "answersfile.h"
#include "atomicwrite.h"
#include "controls.h"
#include "csvline.h"
#include "dialogs.h"
#include "frmoverzicht.h"
#include "frmresultaatprint.h"
#include "printjob.h"
#include "resultsfile.h"
#include "resultsmodel.h"
#include "twips.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

using namespace velmora;

namespace korveladmin {
namespace {

constexpr std::array<int, 5> ColumnTwips{2000, 1845, 700, 700, 700};
const QString ClearCaption = QStringLiteral("Resultaten wissen");

// A file too large to read can never be shown or printed: the only way on is to empty it.
void offerToEmpty(const QString& path, const DataError& tooLarge)
{
    const QString question =
        QStringLiteral(
            "Het bestand \"%1\" is te groot om te lezen (%2 MB), waarschijnlijk door een fout. Het "
            "kan niet worden getoond of afgedrukt. Wilt u het leegmaken? Alles wat erin staat gaat "
            "dan verloren.")
            .arg(tooLarge.file)
            .arg(QFileInfo(path).size() / (1024 * 1024));
    if (!Dialogs::confirmDestructive(question, ClearCaption))
        return;
    if (const auto emptied = ResultsFile::empty(path))
        Dialogs::current().message(QStringLiteral("De resultaten konden niet worden gewist. ") +
                                       emptied->message(),
                                   ClearCaption, MessageIcon::Critical, MessageButtons::Ok);
}

// The records of toets.res; a file that is not there has none. A file that
// cannot be read is said once, and shows no records.
ResultsTable readResults(bool mayEmpty = false)
{
    const QString path = ResultsFile::path();
    auto read = ResultsFile::readFile(path);
    if (const auto* error = std::get_if<DataError>(&read)) {
        if (error->kind == DataError::Kind::TooLarge && mayEmpty)
            offerToEmpty(path, *error);
        else if (error->kind != DataError::Kind::Missing)
            Dialogs::notify(error->message(), MessageIcon::Critical);
        return {};
    }
    return std::move(std::get<ResultsTable>(read));
}

} // namespace

frmResultaat::frmResultaat(QWidget* parent)
    : QDialog(parent), m_grid(new QTableView(this)), m_model(new ResultsModel(this)),
      m_today([] { return QDate::currentDate(); })
{
    setObjectName(QStringLiteral("frmResultaat"));
    setWindowTitle(QStringLiteral("Resultaten toets"));

    m_grid->setObjectName(QStringLiteral("Grid"));
    m_grid->setModel(m_model);
    // A heading wider than its column widens it just enough to be read whole.
    for (int column = 0; column < int(ColumnTwips.size()); ++column)
        m_grid->setColumnWidth(column, std::max(Twips::toPixels(ColumnTwips[std::size_t(column)]),
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
    auto* csv = Controls::button(QStringLiteral("cmdCsv"), QStringLiteral("Opslaan als CSV"), this);
    auto* overview =
        Controls::button(QStringLiteral("cmdOverzicht"), QStringLiteral("Overzicht per plaats"), this);
    auto* end = Controls::button(QStringLiteral("cmdEnd"), QStringLiteral("Sluiten"), this);
    // Enter in the grid presses no button: none of them is harmless.
    for (QPushButton* b : {overview, clear, print, csv, end})
        b->setAutoDefault(false);
    connect(clear, &QPushButton::clicked, this, &frmResultaat::clearResults);
    connect(print, &QPushButton::clicked, this, &frmResultaat::printResults);
    connect(csv, &QPushButton::clicked, this, &frmResultaat::saveCsv);
    connect(overview, &QPushButton::clicked, this, [this] {
        frmOverzicht window([this] { return m_today(); }, this);
        window.exec();
    });
    connect(end, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(overview);
    buttons->addStretch();
    buttons->addWidget(clear);
    buttons->addWidget(print);
    buttons->addWidget(csv);
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
    const auto missing = ResultsFile::ensureExists(ResultsFile::path());
    if (missing && missing->kind == DataError::Kind::Missing)
        Dialogs::notify(missing->message() +
                            QStringLiteral(" Zonder dit bestand kunnen leerlingen geen toets "
                                           "opslaan. De beheerder van de computer kan het "
                                           "terugzetten."),
                        MessageIcon::Critical);
    m_model->setTable(readResults(true));
}

void frmResultaat::clearResults()
{
    if (!Dialogs::confirmDestructive(QStringLiteral("Weet u dit zeker?"), ClearCaption))
        return;
    // Only what the teacher was shown is deleted: a result that came in since stays.
    auto cleared = ResultsFile::clear(ResultsFile::path(), m_model->table().bytes());
    if (auto* now = std::get_if<ResultsTable>(&cleared)) {
        m_model->setTable(std::move(*now));
        Dialogs::current().message(
            QStringLiteral(
                "Intussen zijn er nieuwe resultaten binnengekomen. Er is niets gewist; de lijst toont nu "
                "alle resultaten. Kies opnieuw \"Resultaten wissen\" als u ook deze wilt wissen."),
            ClearCaption, MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    if (const auto* error = std::get_if<DataError>(&cleared)) {
        Dialogs::current().message(QStringLiteral("De resultaten konden niet worden gewist. ") +
                                       error->message(),
                                   ClearCaption, MessageIcon::Critical, MessageButtons::Ok);
        return;
    }
    const QString answers = AnswersFile::path();
    if (QFileInfo(answers).size() > 0 &&
        Dialogs::confirmDestructive(QStringLiteral("Wilt u ook alle antwoorden per plaats wissen? Het "
                                                   "\"Overzicht per plaats\" is daarna leeg."),
                                    ClearCaption)) {
        if (const auto error = AnswersFile::empty(answers))
            Dialogs::current().message(QStringLiteral("De antwoorden konden niet worden gewist. ") +
                                           error->message(),
                                       ClearCaption, MessageIcon::Critical, MessageButtons::Ok);
    }
    Dialogs::current().message(QStringLiteral("De resultaten zijn geleegd."), ClearCaption,
                               MessageIcon::Information, MessageButtons::Ok);
    accept();
}

void frmResultaat::printResults()
{
    PrintJob::run(
        [this](QPrinter& printer) { return frmResultaatPrint::print(printer, readResults(), m_today()); });
}

void frmResultaat::saveCsv()
{
    const QString caption = QStringLiteral("Opslaan als CSV");
    const QString path = Dialogs::current().saveFile(
        caption, {QStringLiteral("CSV-bestand"), QStringLiteral("*.csv")}, QStringLiteral("resultaten.csv"));
    if (path.isEmpty())
        return;
    // The grid as shown, with the decimal comma a Dutch spreadsheet reads as a number.
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    QByteArray csv = CsvLine::encode(ResultsModel::headings());
    for (int row = 0; row < m_model->rowCount(); ++row)
        csv += CsvLine::encode(m_model->rowTexts(row, dutch));
    if (const auto error = AtomicWrite::replace(path, csv))
        Dialogs::current().message(QStringLiteral("De resultaten konden niet worden opgeslagen. ") +
                                       error->message(),
                                   caption, MessageIcon::Critical, MessageButtons::Ok);
}

} // namespace korveladmin
