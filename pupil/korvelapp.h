#pragma once

#include "keuze.h"
#include "plaatsen.h"
#include "quizmode.h"
#include "smartbase.h"

#include <QObject>
#include <QPointer>

#include <memory>

namespace korvel {

class frmKaart;
class frmKeuzeMenu;
class frmKeuzeMenu2;
class frmLogin;

// The pupil program as a whole: its one record database and its windows for
// the program's lifetime, and the way the windows hand over to one another.
class KorvelApp : public QObject
{
    Q_OBJECT

public:
    KorvelApp();
    ~KorvelApp() override;

    // Loads the login window (splash, databases) and shows it. False when the
    // program has been ended on the way.
    bool start();

    // The choices an activity runs with.
    Keuze keuze() const;

    frmLogin& login() const { return *m_login; }
    // The menus while they exist; null once closed.
    frmKeuzeMenu* keuzeMenu() const;
    frmKeuzeMenu2* keuzeMenu2() const;
    // The map screen, made at the first activity and kept for the program's lifetime.
    frmKaart& kaart();

private:
    void openKeuzeMenu();
    void openKeuzeMenu2();
    void changeUser();
    void openKaart(QuizMode mode);

    velmora::SmartBase m_db;
    velmora::Plaatsen m_plaatsen;
    std::unique_ptr<frmLogin> m_login;
    std::unique_ptr<frmKaart> m_kaart;
    QPointer<frmKeuzeMenu> m_keuzeMenu;
    QPointer<frmKeuzeMenu2> m_keuzeMenu2;
};

} // namespace korvel
