#pragma once

#include <QDate>
#include <QDialog>

#include <functional>

class QTableView;

namespace korveladmin {

class ResultsModel;

// "Resultaten toets": every finished test with its score; print or clear them.
class frmResultaat : public QDialog
{
    Q_OBJECT
public:
    explicit frmResultaat(QWidget* parent = nullptr);

    // The printout's date; today's unless a test gives another clock.
    void setClock(std::function<QDate()> today);

private Q_SLOTS:
    void clearResults();
    void printResults();
    void saveCsv();

private:
    void fillGrid();

    QTableView* m_grid;
    ResultsModel* m_model;
    std::function<QDate()> m_today;
};

} // namespace korveladmin
