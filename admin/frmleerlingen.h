#pragma once

#include "registerwindow.h"

namespace korveladmin {

// "Leerlingendatabase": the pupil list in leerling.sdb, kept open on the
// program's database while the window is open. A pupil is its place in the list.
class frmLeerlingen : public RegisterWindow
{
    Q_OBJECT
public:
    frmLeerlingen(velmora::SmartBase& db, QWidget* parent = nullptr);

private:
    void cmdAdd_Click() override;
    void cmdChange_Click();
};

} // namespace korveladmin
