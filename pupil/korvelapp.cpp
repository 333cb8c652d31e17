#include "korvelapp.h"

#include "dialogs.h"
#include "frmkaart.h"
#include "frmkeuzemenu.h"
#include "frmkeuzemenu2.h"
#include "frmlogin.h"

using namespace velmora;

namespace korvel {

KorvelApp::KorvelApp()
    : m_db([](const QString& message) { Dialogs::notify(message); }),
      m_login(std::make_unique<frmLogin>(m_db))
{
    connect(m_login.get(), &frmLogin::confirmed, this, &KorvelApp::openKeuzeMenu);
}

KorvelApp::~KorvelApp()
{
    // Menus are deleted when they close; those still open go with the program.
    delete m_keuzeMenu2;
    delete m_keuzeMenu;
}

bool KorvelApp::start()
{
    if (!m_login->load())
        return false;
    m_login->show();
    return true;
}

Keuze KorvelApp::keuze() const
{
    Keuze keuze;
    keuze.Gebruiker = m_login->Gebruiker();
    if (m_keuzeMenu) {
        keuze.Kaart = m_keuzeMenu->Kaart();
        keuze.KaartFile = m_keuzeMenu->KaartFile();
        keuze.Niveau = m_keuzeMenu->Niveau();
    }
    return keuze;
}

frmKeuzeMenu* KorvelApp::keuzeMenu() const
{
    return m_keuzeMenu;
}

frmKeuzeMenu2* KorvelApp::keuzeMenu2() const
{
    return m_keuzeMenu2;
}

void KorvelApp::openKeuzeMenu()
{
    // Every login reads the map list afresh.
    auto* menu = new frmKeuzeMenu(m_db);
    if (!menu->load()) {
        delete menu;
        return;
    }
    m_keuzeMenu = menu;
    connect(menu, &frmKeuzeMenu::started, this, &KorvelApp::openKeuzeMenu2);
    connect(menu, &MenuWindow::closing, m_login.get(), &QWidget::show);
    menu->show();
}

void KorvelApp::openKeuzeMenu2()
{
    auto* menu = new frmKeuzeMenu2(keuze());
    m_keuzeMenu2 = menu;
    connect(menu, &MenuWindow::closing, m_keuzeMenu.data(), &QWidget::show);
    connect(menu, &frmKeuzeMenu2::changeUser, this, &KorvelApp::changeUser);
    connect(menu, &frmKeuzeMenu2::activityChosen, this, &KorvelApp::openKaart);
    menu->show();
    m_keuzeMenu->hide();
}

frmKaart& KorvelApp::kaart()
{
    if (!m_kaart)
        m_kaart = std::make_unique<frmKaart>(m_plaatsen);
    return *m_kaart;
}

void KorvelApp::openKaart(QuizMode mode)
{
    kaart().showModal(mode, keuze());
}

void KorvelApp::changeUser()
{
    // Each close shows the window before it, so the login window ends up alone.
    m_keuzeMenu->hide();
    m_keuzeMenu2->hide();
    m_login->show();
    m_keuzeMenu2->close();
    m_keuzeMenu->close();
}

} // namespace korvel
