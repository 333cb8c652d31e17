#pragma once

#include <QObject>

class QWidget;

namespace velmora {

// Enter presses the button that has the focus, as Space does, instead of the
// window's default button: a pupil who moved to "Annuleren" with Tab and
// pressed Enter means "Annuleren". On a chosen option it still starts.
class EnterPresses : public QObject
{
    Q_OBJECT
public:
    // Lives as a child of the window.
    static void apply(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit EnterPresses(QWidget* window);
};

} // namespace velmora
