#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace velmora {
class SmartBase;
}

namespace korveladmin {

// "Kaarten afdrukken": pick a map, a level and what to draw, and print it.
class frmKaartenPrint : public QDialog
{
    Q_OBJECT
public:
    explicit frmKaartenPrint(velmora::SmartBase& db, QWidget* parent = nullptr);

    // The chosen level, 1 to 3.
    int Niveau() const { return m_niveau; }

private Q_SLOTS:
    void printMap();

private:
    void refreshList();

    velmora::SmartBase& m_db;
    QListWidget* m_list;
    QPushButton* m_print;
    int m_niveau = 1;
    // What to draw: 1 markers and names, 2 markers only, 3 the empty map.
    int m_optie = 1;
};

} // namespace korveladmin
