#include "frmlogin.h"

#include "ansitext.h"
#include "controls.h"
#include "dialogs.h"
#include "icons.h"
#include "passwordedit.h"
#include "passwordfile.h"
#include "programexit.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

using namespace velmora;

namespace korveladmin {

frmLogin::frmLogin(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Inloggen"));

    auto* Label1 = Controls::label(
        QStringLiteral("Label1"), QStringLiteral("U heeft een wachtwoord nodig om hier in te kunnen."), this);
    auto* Label2 = Controls::label(QStringLiteral("Label2"), QStringLiteral("Wachtwoord:"), this);
    Text1 = new PasswordEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Label2->setBuddy(Text1);
    auto* cmdLogin = Controls::pictureButton(QStringLiteral("cmdLogin"), QStringLiteral("Login"),
                                             Icons::icon(QStringLiteral("key")), this);
    cmdLogin->setDefault(true);
    auto* cmdClose = Controls::pictureButton(QStringLiteral("cmdClose"), QStringLiteral("Annuleren"),
                                             Icons::icon(QStringLiteral("cancel")), this);

    auto* fields = new QGridLayout;
    fields->addWidget(Label1, 0, 0, 1, 2);
    fields->addWidget(Label2, 1, 0);
    fields->addWidget(Text1, 1, 1);
    fields->setRowStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdLogin);
    buttons->addWidget(cmdClose);
    fields->addLayout(buttons, 3, 0, 1, 2);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Controls::decoration(Icons::pixmap(QStringLiteral("lock")), this));
    layout->addLayout(fields, 1);
    Text1->setMinimumWidth(200);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdLogin, &QPushButton::clicked, this, &frmLogin::cmdLogin_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmLogin::reject);
}

void frmLogin::load()
{
    const QString path = PasswordFile::path();
    if (const auto error = PasswordFile::ensureExists(path)) {
        refuse(*error);
        return;
    }
    const auto stored = PasswordFile::readLine(path);
    if (const auto* error = std::get_if<DataError>(&stored)) {
        refuse(*error);
        return;
    }
    if (std::get<QByteArray>(stored).isEmpty()) {
        Dialogs::current().message(
            QStringLiteral(
                "Er is geen wachtwoord ingesteld. Voor de veiligheid wordt aangeraden om dit wel te doen."),
            QStringLiteral("Wachtwoord"), MessageIcon::Information, MessageButtons::Ok);
        // A colleague may have set a password while the box was open: then it is asked for.
        const auto now = PasswordFile::readLine(path);
        if (const auto* error = std::get_if<DataError>(&now)) {
            refuse(*error);
            return;
        }
        if (std::get<QByteArray>(now).isEmpty()) {
            Q_EMIT loggedIn();
            accept();
            return;
        }
    }
    Text1->clear();
    show();
    Text1->setFocus();
}

void frmLogin::cmdLogin_Click()
{
    // Read again at every try: the file is never kept.
    const auto stored = PasswordFile::readLine(PasswordFile::path());
    if (const auto* error = std::get_if<DataError>(&stored)) {
        refuse(*error);
        return;
    }
    const auto typed = AnsiText::encode(Text1->text());
    if (!typed || PasswordFile::encipher(*typed) != std::get<QByteArray>(stored)) {
        Dialogs::current().message(QStringLiteral("Wachtwoord incorrect!"), QStringLiteral("Wachtwoord"),
                                   MessageIcon::Critical, MessageButtons::Ok);
        Text1->setFocus();
        Text1->selectAll();
        return;
    }
    Q_EMIT loggedIn();
    accept();
}

void frmLogin::refuse(const DataError& error)
{
    // A password file that cannot be read never counts as "no password".
    Dialogs::current().message(
        error.message() + QStringLiteral(" Zonder leesbaar wachtwoordbestand kan KorvelAdmin niet worden "
                                         "geopend. Het programma wordt nu afgesloten."),
        QStringLiteral("Wachtwoord"), MessageIcon::Critical, MessageButtons::Ok);
    ProgramExit::now();
}

void frmLogin::reject()
{
    ProgramExit::now();
}

} // namespace korveladmin
