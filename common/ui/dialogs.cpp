#include "dialogs.h"

#include "qtdialogs.h"

#include <QCoreApplication>

namespace velmora {
namespace {

Dialogs*& installed()
{
    static Dialogs* dialogs = nullptr;
    return dialogs;
}

} // namespace

Dialogs& Dialogs::current()
{
    if (installed())
        return *installed();
    static QtDialogs real;
    return real;
}

void Dialogs::install(Dialogs* dialogs)
{
    installed() = dialogs;
}

QString Dialogs::programTitle()
{
    return QCoreApplication::applicationName();
}

void Dialogs::notify(const QString& text, MessageIcon icon)
{
    current().message(text, programTitle(), icon, MessageButtons::Ok);
}

} // namespace velmora
