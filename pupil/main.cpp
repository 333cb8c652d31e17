#include "artwork.h"
#include "dutchtranslation.h"
#include "korvelapp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvel"));
    QApplication::setWindowIcon(korvel::Artwork::icon(QStringLiteral("logo.png")));
    velmora::DutchTranslation::install(app);
    korvel::KorvelApp korvel;
    if (!korvel.start())
        return 0;
    return app.exec();
}
