#include "frmmain.h"

#include "controls.h"
#include "frmkaarten.h"
#include "frmkaartenprint.h"
#include "frmleerlingen.h"
#include "frmpasschange.h"
#include "frmresultaat.h"
#include "icons.h"
#include "programexit.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace velmora;

namespace korveladmin {

frmMain::frmMain(SmartBase& db, QWidget* parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("KorvelAdmin"));

    auto* Label1 = Controls::label(QStringLiteral("Label1"), QStringLiteral("Wat wilt u doen?"), this);
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.2);
    Label1->setFont(heading);
    auto* cmdLeerlingen = Controls::pictureButton(QStringLiteral("cmdLeerlingen"),
                                                  QStringLiteral("Leerlingendatabase aanpassen"),
                                                  Icons::icon(QStringLiteral("pupils")), this);
    auto* cmdKaarten =
        Controls::pictureButton(QStringLiteral("cmdKaarten"), QStringLiteral("Kaarten invoeren/wissen"),
                                Icons::icon(QStringLiteral("maps")), this);
    auto* cmdResultaat =
        Controls::pictureButton(QStringLiteral("cmdResultaat"), QStringLiteral("Resultaten toetsen bekijken"),
                                Icons::icon(QStringLiteral("results")), this);
    auto* Command1 =
        Controls::pictureButton(QStringLiteral("Command1"), QStringLiteral("Oefenkaarten afdrukken"),
                                Icons::icon(QStringLiteral("printer")), this);
    auto* cmdWachtwoord =
        Controls::button(QStringLiteral("cmdWachtwoord"), QStringLiteral("Wachtwoord wijzigen"), this);
    cmdEnd = Controls::button(QStringLiteral("cmdEnd"), QStringLiteral("Afsluiten"), this);

    auto* menu = new QVBoxLayout;
    menu->addWidget(Label1);
    menu->addSpacing(6);
    for (QPushButton* button : {cmdLeerlingen, cmdKaarten, cmdResultaat, Command1}) {
        // Wide buttons with the picture at the left, like a menu.
        button->setStyleSheet(QStringLiteral("text-align: left; padding: 6px 12px;"));
        button->setMinimumWidth(280);
        menu->addWidget(button);
    }
    menu->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(cmdWachtwoord);
    bottom->addStretch();
    bottom->addWidget(cmdEnd);
    menu->addSpacing(6);
    menu->addLayout(bottom);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Controls::decoration(Icons::pixmap(QStringLiteral("globe")), this));
    layout->addLayout(menu, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdLeerlingen, &QPushButton::clicked, this, &frmMain::cmdLeerlingen_Click);
    connect(cmdKaarten, &QPushButton::clicked, this, &frmMain::cmdKaarten_Click);
    connect(cmdResultaat, &QPushButton::clicked, this, &frmMain::cmdResultaat_Click);
    connect(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    connect(cmdWachtwoord, &QPushButton::clicked, this, &frmMain::cmdWachtwoord_Click);
    connect(cmdEnd, &QPushButton::clicked, this, [] { ProgramExit::now(); });
}

void frmMain::cmdLeerlingen_Click()
{
    frmLeerlingen window(m_db, this);
    window.exec();
}

void frmMain::cmdKaarten_Click()
{
    frmKaarten window(m_db, this);
    window.exec();
}

void frmMain::cmdResultaat_Click()
{
    frmResultaat window(this);
    window.exec();
}

void frmMain::Command1_Click()
{
    frmKaartenPrint window(m_db, this);
    window.exec();
}

void frmMain::cmdWachtwoord_Click()
{
    frmPassChange window(this);
    window.exec();
}

void frmMain::reject()
{
    cmdEnd->click();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Not QDialog's, which would take the close box for Esc.
    event->accept();
}

} // namespace korveladmin
