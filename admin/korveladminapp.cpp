#include "korveladminapp.h"

#include "dialogs.h"
#include "frmlogin.h"
#include "frmmain.h"

using namespace velmora;

namespace korveladmin {

KorvelAdminApp::KorvelAdminApp()
    : m_db([](const QString& message) { Dialogs::notify(message); }), m_main(std::make_unique<frmMain>(m_db)),
      m_login(std::make_unique<frmLogin>())
{
    // The main window is shown before the login window closes, so the
    // program never finds itself without a window in between.
    QObject::connect(m_login.get(), &frmLogin::loggedIn, m_main.get(), &frmMain::show);
}

KorvelAdminApp::~KorvelAdminApp() = default;

void KorvelAdminApp::start()
{
    m_login->load();
}

} // namespace korveladmin
