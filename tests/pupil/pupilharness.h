#pragma once

#include "frmsplash.h"
#include "programexit.h"

#include <QTimer>

// While alive: the splash closes through its own timer as soon as it shows
// (at 0 ms it may close while still being shown; start-up must go on all the
// same), and "Afsluiten" is counted instead of ending the test program.
struct Harness
{
    int exits = 0;
    Harness()
    {
        korvel::frmSplash::setShownHook(
            [](korvel::frmSplash& splash) { splash.findChild<QTimer*>(QStringLiteral("Timer1"))->start(0); });
        velmora::ProgramExit::setHandler([this] { ++exits; });
    }
    ~Harness()
    {
        korvel::frmSplash::setShownHook({});
        velmora::ProgramExit::setHandler({});
    }
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;
};
