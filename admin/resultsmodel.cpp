#include "resultsmodel.h"

#include "score.h"

using namespace velmora;

namespace korveladmin {
namespace {

constexpr int Columns = 6;

} // namespace

void ResultsModel::setTable(ResultsTable table)
{
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

int ResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_table.size());
}

int ResultsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return cell(m_table.record(index.row()), index.column(), QLocale());
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= Columns)
        return QAbstractTableModel::headerData(section, orientation, role);
    return headings().at(section);
}

QStringList ResultsModel::rowTexts(int row, const QLocale& locale) const
{
    const ResultRecord record = m_table.record(row);
    QStringList texts;
    for (int column = 0; column < Columns; ++column)
        texts.append(cell(record, column, locale));
    return texts;
}

QStringList ResultsModel::headings()
{
    return {QStringLiteral("Naam"),   QStringLiteral("Kaart"), QStringLiteral("Niveau"),
            QStringLiteral("Gedaan"), QStringLiteral("Goed"),  QStringLiteral("Score")};
}

QString ResultsModel::cell(const ResultRecord& r, int column, const QLocale& locale)
{
    // The level and the counts as the file holds them, blanks included.
    switch (column) {
    case 0:
        return r.naam;
    case 1:
        return r.kaart;
    case 2:
        return r.niveauLine;
    case 3:
        return r.gedaanLine;
    case 4:
        return r.goedLine;
    default:
        return Score::text(r.goed(), r.gedaan(), locale);
    }
}

} // namespace korveladmin
