#pragma once

#include <QLineEdit>

namespace korveladmin {

// A text box for a password: every character shows as "*".
class PasswordEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit PasswordEdit(QWidget* parent = nullptr);
};

} // namespace korveladmin
