#include "frmkaartenprint.h"

#include "controls.h"
#include "dialogs.h"
#include "frmkaart.h"
#include "printjob.h"
#include "registerfile.h"
#include "smartbase.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <functional>

using namespace velmora;

namespace korveladmin {
namespace {

// A frame without caption holding one option button per caption, the first chosen.
QGroupBox* optionFrame(QWidget* parent, const QString& name, const QStringList& captions,
                       const std::function<void(int)>& chosen)
{
    auto* frame = new QGroupBox(parent);
    auto* layout = new QVBoxLayout(frame);
    auto* group = new QButtonGroup(frame);
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions[i], frame);
        option->setObjectName(name + u'_' + QString::number(i));
        option->setChecked(i == 0);
        group->addButton(option, i);
        layout->addWidget(option);
    }
    QObject::connect(group, &QButtonGroup::idClicked, frame, chosen);
    return frame;
}

} // namespace

frmKaartenPrint::frmKaartenPrint(SmartBase& db, QWidget* parent)
    : QDialog(parent), m_db(db), m_list(new QListWidget(this)),
      m_print(Controls::button(QStringLiteral("cmdPrint"), QStringLiteral("Afdrukken"), this))
{
    setObjectName(QStringLiteral("frmKaartenPrint"));
    setWindowTitle(QStringLiteral("Kaarten afdrukken"));
    m_list->setObjectName(QStringLiteral("List"));
    Controls::markOnlySelected(m_list);

    auto* levels =
        optionFrame(this, QStringLiteral("optNiveau"),
                    {QStringLiteral("Niveau 1"), QStringLiteral("Niveau 2"), QStringLiteral("Niveau 3")},
                    [this](int k) { m_niveau = k + 1; });
    auto* options = optionFrame(this, QStringLiteral("Options"),
                                {QStringLiteral("Met plaatsen en namen"),
                                 QStringLiteral("Wel plaatsen, geen namen"), QStringLiteral("Lege kaart")},
                                [this](int k) { m_optie = k + 1; });
    auto* end = Controls::button(QStringLiteral("cmdEnd"), QStringLiteral("Sluiten"), this);
    // Enter in the list presses no button.
    for (QPushButton* b : {m_print, end})
        b->setAutoDefault(false);
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            [this] { m_print->setEnabled(!m_list->selectedItems().isEmpty()); });
    connect(m_print, &QPushButton::clicked, this, &frmKaartenPrint::printMap);
    connect(end, &QPushButton::clicked, this, &QDialog::reject);

    auto* right = new QVBoxLayout;
    right->addWidget(levels);
    right->addWidget(options);
    right->addStretch();
    right->addWidget(m_print);
    right->addWidget(end);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(right);
    resize(520, 340);

    m_print->setEnabled(false);
    refreshList();
}

void frmKaartenPrint::refreshList()
{
    m_list->clear();
    const QString path = MapList.path();
    m_db.OpenDatabase(path);
    // A missing map database leaves whatever was open before: list nothing then.
    if (m_db.DatabasePath() != path)
        return;
    for (const QString& name : m_db.ListField(1))
        m_list->addItem(name.trimmed());
}

void frmKaartenPrint::printMap()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    frmKaart view;
    if (const auto error =
            view.compose(m_list->item(row)->text(), m_db.GetField(row + 1, 2), m_niveau, m_optie)) {
        Dialogs::notify(error->message(), MessageIcon::Critical);
        return;
    }
    PrintJob::run([&view](QPrinter& printer) { return view.print(printer); }, view.orientation());
}

} // namespace korveladmin
