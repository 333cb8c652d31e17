#pragma once

#include <QDialog>

namespace korvel {

// What the two menus share: they are shown without being modal, are deleted
// once closed, and say so just before closing so that the window they came
// from can be shown first. Esc does nothing: neither menu has a cancel button.
// Enter presses the focused button.
class MenuWindow : public QDialog
{
    Q_OBJECT

public:
    explicit MenuWindow(QWidget* parent = nullptr);

Q_SIGNALS:
    // Sent by every close (button or close box) before the window goes.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace korvel
