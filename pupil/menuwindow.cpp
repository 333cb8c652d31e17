#include "menuwindow.h"

#include "enterpresses.h"
#include "noescape.h"

#include <QCloseEvent>

using namespace velmora;

namespace korvel {

MenuWindow::MenuWindow(QWidget* parent) : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    NoEscape::apply(this);
    EnterPresses::apply(this);
}

void MenuWindow::closeEvent(QCloseEvent* event)
{
    Q_EMIT closing();
    event->accept();
}

} // namespace korvel
