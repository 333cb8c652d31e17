#pragma once

#include "dataerror.h"

#include <QDialog>

class QLineEdit;

namespace korveladmin {

// "Inloggen": the teacher's password, asked only when one is set.
class frmLogin : public QDialog
{
    Q_OBJECT
public:
    explicit frmLogin(QWidget* parent = nullptr);

    // The start-up check: creates passwd when missing, then either lets the
    // teacher in at once (no password set) or shows this window.
    void load();

Q_SIGNALS:
    // The password was right: the main window is to be shown.
    void loggedIn();

public Q_SLOTS:
    // "Annuleren", Esc or the close box: the program ends.
    void reject() override;

private:
    void cmdLogin_Click();
    // The password file cannot be used: say why and end the program.
    void refuse(const velmora::DataError& error);

    QLineEdit* Text1 = nullptr;
};

} // namespace korveladmin
