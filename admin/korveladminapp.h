#pragma once

#include "smartbase.h"

#include <memory>

namespace korveladmin {

class frmLogin;
class frmMain;

// The teacher program: its one record database and the windows that live as
// long as it does.
class KorvelAdminApp
{
public:
    KorvelAdminApp();
    ~KorvelAdminApp();

    // Asks for the password, or goes straight to the main window when none is set.
    void start();

    frmLogin& login() { return *m_login; }
    frmMain& main() { return *m_main; }

private:
    velmora::SmartBase m_db;
    std::unique_ptr<frmMain> m_main;
    std::unique_ptr<frmLogin> m_login;
};

} // namespace korveladmin
