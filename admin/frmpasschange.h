#pragma once

#include <QDialog>

class QLineEdit;

namespace korveladmin {

// "Wachtwoord wijzigen": the current password, the new one and its confirmation.
class frmPassChange : public QDialog
{
    Q_OBJECT
public:
    explicit frmPassChange(QWidget* parent = nullptr);

private:
    void cmdChange_Click();
    void refuse(const QString& text);

    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
};

} // namespace korveladmin
