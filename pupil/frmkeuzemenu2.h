#pragma once

#include "keuze.h"
#include "menuwindow.h"
#include "quizmode.h"

namespace korvel {

// The activity menu: what to do with the chosen map. Loaded afresh at every
// Start, so its status line always shows the current choices.
class frmKeuzeMenu2 : public MenuWindow
{
    Q_OBJECT

public:
    explicit frmKeuzeMenu2(const Keuze& keuze, QWidget* parent = nullptr);

    static QString statusLine(const Keuze& keuze);

Q_SIGNALS:
    // An activity button: the map screen is to be shown modally in this mode.
    // The menu stays as it is while that screen is up.
    void activityChosen(korvel::QuizMode mode);
    // "Gebruiker veranderen": both menus go and the login window comes back.
    void changeUser();
};

} // namespace korvel
