#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

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

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QPushButton* cmdChange = nullptr;
    QPushButton* cmdClose = nullptr;
};

} // namespace korveladmin
