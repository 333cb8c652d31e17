#include "noescape.h"

#include <QKeyEvent>
#include <QWidget>

namespace velmora {

NoEscape::NoEscape(QWidget* window) : QObject(window)
{
    window->installEventFilter(this);
}

void NoEscape::apply(QWidget* window)
{
    new NoEscape(window);
}

bool NoEscape::eventFilter(QObject* watched, QEvent* event)
{
    // A key the focused control leaves alone reaches the window; a dialog
    // would take Escape as its cancel.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace velmora
