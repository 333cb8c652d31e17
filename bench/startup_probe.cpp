// Starts the pupil program the way Korvel does, in the program folder given as
// the argument, closes the splash as soon as it shows, and prints "shown" once
// the login window is up. Spawned by bench_startup; not a program of its own.
#include "dutchtranslation.h"
#include "frmsplash.h"
#include "korvelapp.h"
#include "programfolder.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QApplication::setApplicationName(QStringLiteral("Korvel"));
    velmora::DutchTranslation::install(app);
    velmora::ProgramFolder::setPath(QString::fromLocal8Bit(argv[1]));
    korvel::frmSplash::setShownHook([](korvel::frmSplash& splash) {
        // Its own timer, run out at once.
        splash.findChild<QTimer*>(QStringLiteral("Timer1"))->start(0);
    });
    korvel::KorvelApp korvel;
    if (!korvel.start())
        return 1;
    QCoreApplication::processEvents();
    std::puts("shown");
    std::fflush(stdout);
    return 0;
}
