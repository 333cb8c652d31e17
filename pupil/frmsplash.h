#pragma once

#include <QDialog>

#include <functional>

class QFrame;
class QTimer;

namespace korvel {

// The splash shown modally at start-up. It closes after Timer1 runs out, on a
// key press, or on a click anywhere on its panel except the version and the
// second picture.
class frmSplash : public QDialog
{
    Q_OBJECT

public:
    static constexpr int Interval = 5000;

    explicit frmSplash(QWidget* parent = nullptr);

    // Shows the splash modally and returns once it has closed, also when it
    // closed already while being shown.
    int exec() override;

    // Test seam: called each time a splash is shown, e.g. to close it at once.
    using ShownHook = std::function<void(frmSplash&)>;
    static void setShownHook(ShownHook hook);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* Frame1;
    QTimer* Timer1;
    QList<QObject*> m_closeOnClick;
    QList<QObject*> m_ignoreClick;
};

} // namespace korvel
