#include "frmpasschange.h"

#include "ansitext.h"
#include "busypointer.h"
#include "controls.h"
#include "dialogs.h"
#include "icons.h"
#include "passwordedit.h"
#include "passwordfile.h"
#include "typedtext.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

using namespace velmora;

namespace korveladmin {

frmPassChange::frmPassChange(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPassChange"));
    setWindowTitle(QStringLiteral("Wachtwoord wijzigen"));

    auto* Label1 =
        Controls::label(QStringLiteral("Label1"), QStringLiteral("U kunt hier uw wachtwoord wijzigen"), this);
    auto* Label2 = Controls::label(QStringLiteral("Label2"), QStringLiteral("Huidige wachtwoord:"), this);
    auto* Label3 = Controls::label(QStringLiteral("Label3"), QStringLiteral("Nieuw wachtwoord:"), this);
    auto* Label4 = Controls::label(QStringLiteral("Label4"), QStringLiteral("Bevestiging:"), this);
    auto* fields = new QGridLayout;
    fields->addWidget(Label1, 0, 0, 1, 2);
    int row = 1;
    for (auto [label, box, name] : {std::tuple{Label2, &Text1, QStringLiteral("Text1")},
                                    std::tuple{Label3, &Text2, QStringLiteral("Text2")},
                                    std::tuple{Label4, &Text3, QStringLiteral("Text3")}}) {
        *box = new PasswordEdit(this);
        (*box)->setObjectName(name);
        (*box)->setMinimumWidth(200);
        label->setBuddy(*box);
        fields->addWidget(label, row, 0);
        fields->addWidget(*box, row, 1);
        ++row;
    }
    auto* cmdChange = Controls::pictureButton(QStringLiteral("cmdChange"), QStringLiteral("Wijzigen"),
                                              Icons::icon(QStringLiteral("key")), this);
    cmdChange->setDefault(true);
    auto* cmdClose = Controls::button(QStringLiteral("cmdClose"), QStringLiteral("Annuleren"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdChange);
    buttons->addWidget(cmdClose);
    fields->setRowStretch(row, 1);
    fields->addLayout(buttons, row + 1, 0, 1, 2);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Controls::decoration(Icons::pixmap(QStringLiteral("lock")), this));
    layout->addLayout(fields, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdChange, &QPushButton::clicked, this, &frmPassChange::cmdChange_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmPassChange::reject);
}

void frmPassChange::cmdChange_Click()
{
    const QString path = PasswordFile::path();
    const auto line = PasswordFile::readLine(path);
    if (const auto* error = std::get_if<DataError>(&line)) {
        refuse(error->message());
        return;
    }
    const QString stored = AnsiText::decode(PasswordFile::decipher(std::get<QByteArray>(line)));
    if (Text1->text() != stored) {
        refuse(QStringLiteral("Het huidige wachtwoord is niet goed!"));
        return;
    }
    if (Text2->text() != Text3->text()) {
        refuse(QStringLiteral("Het nieuwe wachtwoord komt niet overeen de bevestiging"));
        return;
    }
    const QString notChanged = QStringLiteral(" Het wachtwoord is niet veranderd.");
    if (const auto problem = TypedText::problem(Text2->text(), u"Het nieuwe wachtwoord")) {
        refuse(*problem + notChanged);
        return;
    }
    // Past the check for all typed text, only "ÿ" (code 255) cannot be enciphered and read back.
    const auto password = PasswordFile::storable(Text2->text());
    if (!password) {
        refuse(QStringLiteral("Het nieuwe wachtwoord bevat het teken \"ÿ\", dat in een wachtwoord niet kan "
                              "worden opgeslagen.") +
               notChanged);
        return;
    }
    BusyPointer busy;
    // Written only if the password checked above is still the stored one.
    const auto error =
        PasswordFile::writeLine(path, PasswordFile::encipher(*password), std::get<QByteArray>(line));
    busy.release();
    if (error) {
        refuse(error->kind == DataError::Kind::RecordChanged
                   ? QStringLiteral("Het huidige wachtwoord is niet goed!")
                   : error->message());
        return;
    }
    Dialogs::notify(QStringLiteral("Het wachtwoord is veranderd"), MessageIcon::Information);
    accept();
}

void frmPassChange::refuse(const QString& text)
{
    // The window stays open with what was typed.
    Dialogs::notify(text, MessageIcon::Critical);
}

} // namespace korveladmin
