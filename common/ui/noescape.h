#pragma once

#include <QObject>

class QWidget;

namespace velmora {

// Escape does nothing in a window that has no cancel button: a child pressing
// it by accident must not close a menu, a test or the map editor.
class NoEscape : public QObject
{
    Q_OBJECT
public:
    // Lives as a child of the window.
    static void apply(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit NoEscape(QWidget* window);
};

} // namespace velmora
