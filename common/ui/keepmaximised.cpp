#include "keepmaximised.h"

#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace velmora {
namespace {

// Minimising keeps the maximised flag, so both are looked at.
bool kept(const QWidget* window)
{
    return window->isMaximized() && !window->isMinimized();
}

} // namespace

KeepMaximised::KeepMaximised(QWidget* window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

void KeepMaximised::apply(QWidget* window)
{
    // Where no window manager maximises (a bare X server), the screen's size stands in.
    if (window->screen())
        window->resize(window->screen()->availableSize());
    new KeepMaximised(window);
}

bool KeepMaximised::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window &&
        (event->type() == QEvent::WindowStateChange || event->type() == QEvent::Resize) &&
        m_window->isVisible() && !kept(m_window)) {
        // Not from inside the state change itself: the window system is still busy with it.
        QTimer::singleShot(0, m_window, [window = m_window] {
            if (window->isVisible() && !kept(window))
                window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
        });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace velmora
