#pragma once

#include "mapimport.h"
#include "registerwindow.h"

namespace korveladmin {

// "Kaartendatabase": the list of maps pupils can choose from, kept in
// kaarten.sdb, which stays open while this window is open.
class frmKaarten : public RegisterWindow
{
    Q_OBJECT

public:
    explicit frmKaarten(velmora::SmartBase& db, QWidget* parent = nullptr);

    // The display name cut or padded to 30 characters, then the map file's name.
    static QString recordLine(const QString& name, const QString& mapFile);

private:
    void cmdAdd_Click() override;
    void cmdChange_Click();
    void cmdEdit_Click();
    // Asks what the adding needs to know; false when the map cannot be added
    // or the teacher stopped.
    bool prepareMapFile(MapImport& import);
};

} // namespace korveladmin
