#pragma once

#include "resultstable.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <QStringList>

namespace korveladmin {

// The results grid's rows: one reading of toets.res, each cell made only when
// the grid shows it, so that a school's million results open at once.
class ResultsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(velmora::ResultsTable table);
    const velmora::ResultsTable& table() const { return m_table; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // A row's cells as the grid shows them, the score in `locale`.
    QStringList rowTexts(int row, const QLocale& locale) const;
    static QStringList headings();

private:
    static QString cell(const velmora::ResultRecord& record, int column, const QLocale& locale);

    velmora::ResultsTable m_table;
};

} // namespace korveladmin
