#include "enterpresses.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>

namespace velmora {

EnterPresses::EnterPresses(QWidget* window) : QObject(window)
{
    window->installEventFilter(this);
}

void EnterPresses::apply(QWidget* window)
{
    new EnterPresses(window);
}

bool EnterPresses::eventFilter(QObject* watched, QEvent* event)
{
    // A button that leaves Enter alone passes it on to the window, which
    // would press its default button. A chosen option is no button to press:
    // there Enter goes on to the default button, as in any dialog.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* button = qobject_cast<QAbstractButton*>(static_cast<QWidget*>(watched)->focusWidget());
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && button && button->isEnabled() &&
            !button->isCheckable()) {
            button->click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace velmora
