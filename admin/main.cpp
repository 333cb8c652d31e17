#include "dutchtranslation.h"
#include "icons.h"
#include "korveladminapp.h"
#include "lockwait.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KorvelAdmin"));
    QApplication::setWindowIcon(korveladmin::Icons::icon(QStringLiteral("globe")));
    velmora::DutchTranslation::install(app);
    velmora::LockWait::install();
    korveladmin::KorvelAdminApp admin;
    admin.start();
    return app.exec();
}
