#include "dutchtranslation.h"
#include "icons.h"
#include "korveladminapp.h"
#include "lockwait.h"

#include <QApplication>
#include <QIcon>

using namespace velmora;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KorvelAdmin"));
    QApplication::setWindowIcon(korveladmin::Icons::icon(QStringLiteral("globe")));
    DutchTranslation::install(app);
    LockWait::install();
    korveladmin::KorvelAdminApp admin;
    admin.start();
    return app.exec();
}
