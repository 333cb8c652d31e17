#pragma once

#include "mapimport.h"

#include <QDialog>

class QPushButton;

namespace velmora {
class SmartBase;
struct DataError;
} // namespace velmora

namespace korveladmin {

class RecordList;

// "Kaartendatabase": the list of maps pupils can choose from, kept in
// kaarten.sdb, which stays open while this window is open.
class frmKaarten : public QDialog
{
    Q_OBJECT

public:
    explicit frmKaarten(velmora::SmartBase& db, QWidget* parent = nullptr);

    // The display name cut or padded to 30 characters, then the map file's name.
    static QString recordLine(const QString& name, const QString& mapFile);

public Q_SLOTS:
    void done(int result) override;

private Q_SLOTS:
    void cmdAdd_Click();
    void cmdChange_Click();
    void cmdRemove_Click();
    void cmdEdit_Click();
    void List_SelectionChanged();

private:
    void refreshList();
    // Asks what the adding needs to know; false when the map cannot be added
    // or the teacher stopped.
    bool prepareMapFile(MapImport& import);
    // False, after saying so and refreshing the list, when the selected map's
    // record no longer holds what the list shows: another teacher changed it.
    bool selectionStillListed(int recordNo, const QString& line);
    // Refreshes the list after a failed change or removal and says why.
    void refreshAndShow(const velmora::DataError& error);
    // A display name that can be stored; empty, after saying so, when none was given.
    QString askName(const QString& prompt, const QString& title, const QString& proposed);
    void showError(const QString& text);
    void showError(const velmora::DataError& error);

    velmora::SmartBase& m_db;
    bool m_usable = false;
    RecordList* List = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdChange = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdEdit = nullptr;
};

} // namespace korveladmin
