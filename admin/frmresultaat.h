#pragma once

#include <QDate>
#include <QDialog>

#include <functional>

class QPushButton;
class QTableWidget;

namespace korveladmin {

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

private:
    void fillGrid();

    QTableWidget* m_grid;
    std::function<QDate()> m_today;
};

} // namespace korveladmin
