#include "artwork.h"
#include "dutchtranslation.h"
#include "korvelapp.h"
#include "lockwait.h"
#include "resultsgroup.h"

#include <QApplication>

using namespace velmora;

int main(int argc, char** argv)
{
    // Before anything else runs: an installed Korvel opens toets.res with its
    // group, then gives the group up for good.
    if (!ResultsGroup::openResultsThenDropGroup())
        return 1;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvel"));
    QApplication::setWindowIcon(korvel::Artwork::icon(QStringLiteral("logo.png")));
    DutchTranslation::install(app);
    LockWait::install();
    korvel::KorvelApp korvel;
    if (!korvel.start())
        return 0;
    return app.exec();
}
