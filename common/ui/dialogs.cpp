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

MessageAnswer Dialogs::message(const QString& text, const QString& caption, MessageIcon icon,
                               MessageButtons buttons)
{
    const MessageAnswer first = buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel
                                    ? MessageAnswer::Ok
                                    : MessageAnswer::Yes;
    return message(text, caption, icon, buttons, first);
}

bool Dialogs::confirmDestructive(const QString& text, const QString& caption)
{
    return current().message(text, caption, MessageIcon::Question, MessageButtons::YesNo,
                             MessageAnswer::No) == MessageAnswer::Yes;
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
