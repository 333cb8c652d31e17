#include "frmlogin.h"

#include "controls.h"
#include "databasecheck.h"
#include "enterpresses.h"
#include "frmsplash.h"
#include "programexit.h"
#include "registerfile.h"
#include "smartbase.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace velmora;

namespace korvel {

frmLogin::frmLogin(SmartBase& db, QWidget* parent)
    : QDialog(parent), m_db(db), Leerlingen(new QListWidget(this)),
      cmdOK(Controls::button(QStringLiteral("cmdOK"), QStringLiteral("OK"), this)),
      cmdCancel(Controls::button(QStringLiteral("cmdCancel"), QStringLiteral("Afsluiten"), this))
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Login"));

    auto* Label1 = Controls::label(QStringLiteral("Label1"),
                                   QStringLiteral("Kies je naam uit de lijst en klik op OK"), this);
    Leerlingen->setObjectName(QStringLiteral("Leerlingen"));
    Leerlingen->setSelectionMode(QAbstractItemView::SingleSelection);
    Controls::markOnlySelected(Leerlingen);
    Controls::fitNames(Leerlingen);
    Leerlingen->setUniformItemSizes(true);
    cmdOK->setDefault(true);
    // Elsewhere than on a button, Enter is OK.
    EnterPresses::apply(this);
    cmdCancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Leerlingen);
    layout->addLayout(buttons);
    resize(340, 380);

    connect(Leerlingen, &QListWidget::itemSelectionChanged, this, &frmLogin::selectionChanged);
    connect(Leerlingen, &QListWidget::itemDoubleClicked, this, &frmLogin::confirm);
    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::confirm);
    connect(cmdCancel, &QPushButton::clicked, this, [] { ProgramExit::now(); });
}

bool frmLogin::load()
{
    {
        frmSplash splash;
        splash.exec();
    }
    // A failed move leaves both names as they were; opening the database then says it is missing.
    MapList.moveSpareIntoPlace();
    PupilList.moveSpareIntoPlace();
    if (!DatabaseCheck::open(m_db, PupilList, DatabaseCheck::LeerlingFout))
        return false;
    Leerlingen->addItems(m_db.ListField(2));
    cmdOK->setEnabled(false);
    m_db.CloseDatabase();
    return true;
}

void frmLogin::selectionChanged()
{
    cmdOK->setEnabled(!Leerlingen->selectedItems().isEmpty());
}

void frmLogin::confirm()
{
    const QList<QListWidgetItem*> selected = Leerlingen->selectedItems();
    if (selected.isEmpty())
        return;
    m_gebruiker = selected.first()->text();
    hide();
    Q_EMIT confirmed();
}

void frmLogin::keyPressEvent(QKeyEvent* event)
{
    // Esc is "Afsluiten", not a quiet close.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdCancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmLogin::closeEvent(QCloseEvent* event)
{
    // Only the login window is up when its close box can be used: the program ends.
    event->accept();
    ProgramExit::now();
}

} // namespace korvel
