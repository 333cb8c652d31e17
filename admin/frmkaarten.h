#pragma once

#include "mapimport.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace velmora {
class SmartBase;
struct DataError;
} // namespace velmora

namespace korveladmin {

// "Kaartendatabase": the list of maps pupils can choose from, kept in
// kaarten.sdb, which stays open while this window is open.
class frmKaarten : public QDialog
{
    Q_OBJECT

public:
    explicit frmKaarten(velmora::SmartBase& db, QWidget* parent = nullptr);

    static constexpr QStringView DatabaseName = u"kaarten.sdb";
    static constexpr QStringView Title = u"Kaarten";
    // The display name cut or padded to 30 characters, then the map file's name.
    static QString recordLine(const QString& name, const QString& mapFile);

public Q_SLOTS:
    void done(int result) override;

private Q_SLOTS:
    void cmdAdd_Click();
    void cmdChange_Click();
    void cmdRemove_Click();
    void cmdEdit_Click();
    void selectionChanged();

private:
    void openDatabase();
    void RefreshList();
    bool prepareMapFile(MapImport& import);
    bool confirmReplacing(const QList<MapImport::Copy>& copies);
    // A name the teacher typed that can be stored; otherwise shows why not.
    bool acceptName(const QString& name);
    void showError(const QString& text);
    void showError(const velmora::DataError& error);

    velmora::SmartBase& m_db;
    bool m_usable = false;
    QListWidget* List = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdChange = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdEnd = nullptr;
};

} // namespace korveladmin
