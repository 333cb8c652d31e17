#include "passwordedit.h"

namespace korveladmin {

PasswordEdit::PasswordEdit(QWidget* parent) : QLineEdit(parent)
{
    setEchoMode(QLineEdit::Password);
    // The style's own mask is a bullet; the teacher knows the asterisk.
    setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
}

} // namespace korveladmin
