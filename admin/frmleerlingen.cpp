#include "frmleerlingen.h"

#include "busypointer.h"
#include "controls.h"
#include "dialogs.h"
#include "namebox.h"
#include "recordlist.h"
#include "registerdatabase.h"
#include "registerfile.h"
#include "smartbase.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace velmora;

namespace korveladmin {
namespace {

// The Id field is always left blank.
const QString BlankId = QStringLiteral("     ");

} // namespace

frmLeerlingen::frmLeerlingen(SmartBase& db, QWidget* parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("frmLeerlingen"));
    setWindowTitle(QStringLiteral("Leerlingendatabase"));

    List = new RecordList(this);
    List->setMinimumSize(Controls::textWidth(List, 50), 320);
    cmdAdd = Controls::button(QStringLiteral("cmdAdd"), QStringLiteral("Nieuwe toevoegen"), this);
    cmdChange = Controls::button(QStringLiteral("cmdChange"), QStringLiteral("Wijzigen"), this);
    cmdRemove = Controls::button(QStringLiteral("cmdRemove"), QStringLiteral("Wissen"), this);
    auto* cmdEnd = Controls::button(QStringLiteral("cmdEnd"), QStringLiteral("Sluiten"), this);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdAdd);
    buttons->addWidget(cmdChange);
    buttons->addWidget(cmdRemove);
    buttons->addStretch();
    buttons->addWidget(cmdEnd);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(List, 1);
    layout->addLayout(buttons);

    // Starting in the list would mark its first entry as current, which looks selected.
    cmdAdd->setFocus();

    connect(List, &RecordList::itemSelectionChanged, this, &frmLeerlingen::List_SelectionChanged);
    connect(cmdAdd, &QPushButton::clicked, this, &frmLeerlingen::cmdAdd_Click);
    connect(cmdChange, &QPushButton::clicked, this, &frmLeerlingen::cmdChange_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmLeerlingen::cmdRemove_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &frmLeerlingen::reject);

    load();
}

void frmLeerlingen::load()
{
    if (const auto error = PupilList.moveSpareIntoPlace())
        report(error);
    const bool usable = RegisterDatabase::open(
        m_db, PupilList,
        {Dialogs::programTitle(), QStringLiteral("Er is een nieuwe leerlingendatabase aangemaakt!"),
         QStringLiteral("Leerlingen toevoegen/wissen.")});
    if (!usable)
        cmdAdd->setEnabled(false);
    refreshList();
}

void frmLeerlingen::refreshList()
{
    BusyPointer busy;
    // A refill selects nothing, and so turns "Wijzigen" and "Wissen" off.
    List->fill(m_db.ListRecords(2), RecordList::Blanks::Kept);
}

void frmLeerlingen::List_SelectionChanged()
{
    const bool selected = List->selected().has_value();
    cmdChange->setEnabled(selected);
    cmdRemove->setEnabled(selected);
}

void frmLeerlingen::cmdAdd_Click()
{
    const auto name = askName(QStringLiteral("Nieuw toevoegen"), QString());
    if (!name)
        return;
    BusyPointer busy;
    const auto error = m_db.AddRecord(BlankId + *name);
    refreshList();
    busy.release();
    report(error);
}

void frmLeerlingen::cmdChange_Click()
{
    const auto pupil = List->selected();
    if (!pupil)
        return;
    // Asking a name for a pupil who is no longer there would waste the teacher's typing.
    if (const auto changed = m_db.CheckRecord(pupil->recordNo, pupil->line)) {
        refreshList();
        report(changed);
        return;
    }
    // The whole stored name, so that one longer than the list shows is not cut unseen.
    const auto name = askName(QStringLiteral("Wijzigen"), pupil->line.mid(BlankId.size()));
    if (!name)
        return;
    BusyPointer busy;
    const auto error = m_db.ChangeRecord(pupil->recordNo, BlankId + *name, pupil->line);
    refreshList();
    busy.release();
    report(error);
}

void frmLeerlingen::cmdRemove_Click()
{
    const auto pupil = List->selected();
    if (!pupil || !Dialogs::confirmDestructive(
                      QStringLiteral("Weet u zeker dat u de leerling \"%1\" wilt wissen?").arg(pupil->text),
                      QStringLiteral("Leerling wissen")))
        return;
    BusyPointer busy;
    const auto error = m_db.RemoveRecord(pupil->recordNo, pupil->line);
    refreshList();
    busy.release();
    report(error);
}

std::optional<QString> frmLeerlingen::askName(const QString& title, const QString& proposed)
{
    const QString name = NameBox::ask({QStringLiteral("Geef de naam van de leerling:"), title, proposed,
                                       Dialogs::programTitle(), PupilList.fields[1].width});
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

void frmLeerlingen::report(const std::optional<DataError>& error)
{
    if (error)
        Dialogs::notify(error->message(), MessageIcon::Critical);
}

void frmLeerlingen::done(int result)
{
    if (m_db.isOpen())
        m_db.CloseDatabase();
    QDialog::done(result);
}

} // namespace korveladmin
