#include "menuwindow.h"

#include "noescape.h"

#include <QCloseEvent>

namespace korvel {

MenuWindow::MenuWindow(QWidget* parent) : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    velmora::NoEscape::apply(this);
}

void MenuWindow::closeEvent(QCloseEvent* event)
{
    Q_EMIT closing();
    event->accept();
}

} // namespace korvel
