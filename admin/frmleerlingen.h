#pragma once

#include "dataerror.h"

#include <QDialog>

#include <optional>

class QPushButton;

namespace velmora {
class SmartBase;
}

namespace korveladmin {

class RecordList;

// "Leerlingendatabase": the pupil list in leerling.sdb, kept open on the
// program's database while the window is open. A pupil is its place in the list.
class frmLeerlingen : public QDialog
{
    Q_OBJECT
public:
    frmLeerlingen(velmora::SmartBase& db, QWidget* parent = nullptr);

public Q_SLOTS:
    // Every way of closing ends here: the database is closed.
    void done(int result) override;

private:
    void load();
    void refreshList();
    void List_SelectionChanged();
    void cmdAdd_Click();
    void cmdChange_Click();
    void cmdRemove_Click();
    // The name as the teacher typed it, or nothing after saying why it cannot be stored.
    std::optional<QString> askName(const QString& title, const QString& proposed);
    void report(const std::optional<velmora::DataError>& error);

    velmora::SmartBase& m_db;
    RecordList* List = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdChange = nullptr;
    QPushButton* cmdRemove = nullptr;
};

} // namespace korveladmin
