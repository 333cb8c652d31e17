#include "resultsmodel.h"

#include "score.h"

#include <array>

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
    // The level and the counts as the file holds them, blanks included.
    const ResultRecord r = m_table.record(index.row());
    switch (index.column()) {
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
        return Score::text(r.goed(), r.gedaan());
    }
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const std::array<QString, Columns> Headings{QStringLiteral("Naam"),   QStringLiteral("Kaart"),
                                                       QStringLiteral("Niveau"), QStringLiteral("Gedaan"),
                                                       QStringLiteral("Goed"),   QStringLiteral("Score")};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= Columns)
        return QAbstractTableModel::headerData(section, orientation, role);
    return Headings[std::size_t(section)];
}

} // namespace korveladmin
