#pragma once

#include <QObject>

class QWidget;

namespace velmora {

// A window that cannot be minimised or restored: whenever it leaves the
// maximised state it is maximised again.
class KeepMaximised : public QObject
{
    Q_OBJECT
public:
    // Lives as a child of the window.
    static void apply(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit KeepMaximised(QWidget* window);
    QWidget* m_window;
};

} // namespace velmora
