#include "frmkeuzemenu.h"

#include "controls.h"
#include "databasecheck.h"
#include "programexit.h"
#include "registerfile.h"
#include "smartbase.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace velmora;

namespace korvel {

frmKeuzeMenu::frmKeuzeMenu(SmartBase& db, QWidget* parent)
    : MenuWindow(parent), m_db(db), Kaarten(new QListWidget(this)), KaartenBestand(new QListWidget(this)),
      cmdStart(Controls::button(QStringLiteral("cmdStart"), QStringLiteral("Start"), this))
{
    setObjectName(QStringLiteral("frmKeuzeMenu"));
    setWindowTitle(QStringLiteral("Keuzemenu"));

    auto* Label1 =
        Controls::label(QStringLiteral("Label1"), QStringLiteral("Kies een kaart en een niveau"), this);
    Kaarten->setObjectName(QStringLiteral("Kaarten"));
    Kaarten->setSelectionMode(QAbstractItemView::SingleSelection);
    Controls::markOnlySelected(Kaarten);
    Controls::fitNames(Kaarten);
    KaartenBestand->setObjectName(QStringLiteral("KaartenBestand"));
    KaartenBestand->hide();

    auto* Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* levels = new QVBoxLayout(Frame1);
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(QStringLiteral("Niveau %1").arg(i + 1), Frame1);
        option->setObjectName(QStringLiteral("opNiveau_%1").arg(i));
        levels->addWidget(option);
        opNiveau.append(option);
    }
    opNiveau[0]->setChecked(true);

    cmdStart->setDefault(true);
    auto* cmdCancel = Controls::button(QStringLiteral("cmdCancel"), QStringLiteral("Andere gebruiker"), this);
    cmdCancel->setAutoDefault(false);
    auto* cmdEnd = Controls::button(QStringLiteral("cmdEnd"), QStringLiteral("Afsluiten"), this);
    cmdEnd->setAutoDefault(false);

    auto* side = new QVBoxLayout;
    side->addWidget(Frame1);
    side->addStretch();
    side->addWidget(cmdStart);
    side->addWidget(cmdCancel);
    side->addWidget(cmdEnd);
    auto* list = new QVBoxLayout;
    list->addWidget(Label1);
    list->addWidget(Kaarten);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(list, 1);
    layout->addLayout(side);
    resize(440, 320);

    connect(Kaarten, &QListWidget::itemSelectionChanged, this, &frmKeuzeMenu::selectionChanged);
    connect(Kaarten, &QListWidget::itemDoubleClicked, this, &frmKeuzeMenu::start);
    connect(cmdStart, &QPushButton::clicked, this, &frmKeuzeMenu::start);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdEnd, &QPushButton::clicked, this, [] { ProgramExit::now(); });
}

bool frmKeuzeMenu::load()
{
    if (!DatabaseCheck::open(m_db, MapList, DatabaseCheck::KaartenFout))
        return false;
    Kaarten->addItems(m_db.ListField(1));
    KaartenBestand->addItems(m_db.ListField(2));
    cmdStart->setEnabled(false);
    m_db.CloseDatabase();
    return true;
}

void frmKeuzeMenu::selectionChanged()
{
    cmdStart->setEnabled(!Kaarten->selectedItems().isEmpty());
}

void frmKeuzeMenu::start()
{
    const QList<QListWidgetItem*> selected = Kaarten->selectedItems();
    if (selected.isEmpty())
        return;
    const int i = Kaarten->row(selected.first());
    for (int level = 0; level < opNiveau.size(); ++level) {
        if (opNiveau[level]->isChecked()) {
            m_niveau = level + 1;
            break;
        }
    }
    m_kaart = selected.first()->text().trimmed();
    m_kaartFile = KaartenBestand->item(i)->text();
    Q_EMIT started();
}

} // namespace korvel
