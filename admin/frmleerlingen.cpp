#include "frmleerlingen.h"

#include "ansitext.h"
#include "busypointer.h"
#include "controls.h"
#include "databasefile.h"
#include "dialogs.h"
#include "programfolder.h"
#include "smartbase.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace velmora;

namespace korveladmin {
namespace {

// The Id field is always left blank.
const QString BlankId = QStringLiteral("     ");

} // namespace

frmLeerlingen::frmLeerlingen(SmartBase& db, QWidget* parent)
    : QDialog(parent)
    , m_db(db)
{
    setObjectName(QStringLiteral("frmLeerlingen"));
    setWindowTitle(QStringLiteral("Leerlingendatabase"));

    List = new QListWidget(this);
    List->setObjectName(QStringLiteral("List"));
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    List->setMinimumSize(300, 320);
    cmdAdd = Controls::button(QStringLiteral("cmdAdd"), QStringLiteral("Nieuwe toevoegen"), this);
    cmdChange = Controls::button(QStringLiteral("cmdChange"), QStringLiteral("Wijzigen"), this);
    cmdRemove = Controls::button(QStringLiteral("cmdRemove"), QStringLiteral("Wissen"), this);
    cmdEnd = Controls::button(QStringLiteral("cmdEnd"), QStringLiteral("Sluiten"), this);

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

    connect(List, &QListWidget::itemSelectionChanged, this, &frmLeerlingen::List_SelectionChanged);
    connect(cmdAdd, &QPushButton::clicked, this, &frmLeerlingen::cmdAdd_Click);
    connect(cmdChange, &QPushButton::clicked, this, &frmLeerlingen::cmdChange_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmLeerlingen::cmdRemove_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &frmLeerlingen::reject);

    load();
}

void frmLeerlingen::load()
{
    const QString fileName = FileName.toString();
    if (const auto error = DatabaseFile::moveSpareIntoPlace(fileName, SpareName.toString()))
        report(error);
    const QString path = ProgramFolder::pathFor(fileName);
    m_db.OpenDatabase(path);
    if (m_db.DatabaseTitle() != Title && createDatabase(path))
        m_db.OpenDatabase(path);
    if (m_db.DatabaseTitle() != Title) {
        // No pupil list could be made: never write to whatever file is open instead.
        if (m_db.isOpen())
            m_db.CloseDatabase();
        cmdAdd->setEnabled(false);
    }
    cmdChange->setEnabled(false);
    cmdRemove->setEnabled(false);
    RefreshList();
}

bool frmLeerlingen::createDatabase(const QString& path)
{
    BusyPointer busy;
    const auto error = DatabaseFile::createEmpty(path, Title.toString(),
                                                 {{QStringLiteral("Id"), 5}, {QStringLiteral("Naam"), 50}});
    busy.release();
    if (error) {
        report(error);
        return false;
    }
    Dialogs::current().message(QStringLiteral("Er is een nieuwe leerlingendatabase aangemaakt!"),
                               QStringLiteral("Leerlingen toevoegen/wissen."), MessageIcon::Information,
                               MessageButtons::Ok);
    return true;
}

void frmLeerlingen::RefreshList()
{
    BusyPointer busy;
    // A refill selects nothing and leaves the buttons as they are.
    const QSignalBlocker quiet(List);
    List->clear();
    List->addItems(m_db.ListField(2));
}

int frmLeerlingen::selectedIndex() const
{
    const QList<QListWidgetItem*> selected = List->selectedItems();
    return selected.isEmpty() ? -1 : List->row(selected.first());
}

void frmLeerlingen::List_SelectionChanged()
{
    const bool selected = selectedIndex() >= 0;
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
    RefreshList();
    busy.release();
    report(error);
}

void frmLeerlingen::cmdChange_Click()
{
    const int index = selectedIndex();
    const QString proposed = index >= 0 ? List->item(index)->text() : QString();
    const auto name = askName(QStringLiteral("Wijzigen"), proposed);
    if (!name)
        return;
    BusyPointer busy;
    const auto error = m_db.ChangeRecord(index + 1, BlankId + *name);
    RefreshList();
    busy.release();
    report(error);
}

void frmLeerlingen::cmdRemove_Click()
{
    BusyPointer busy;
    const auto error = m_db.RemoveRecord(selectedIndex() + 1);
    RefreshList();
    busy.release();
    report(error);
}

std::optional<QString> frmLeerlingen::askName(const QString& title, const QString& proposed)
{
    const QString name = Dialogs::current().input(QStringLiteral("Geef de naam van de leerling:"), title, proposed);
    if (name.isEmpty())
        return std::nullopt;
    if (!AnsiText::canEncode(name) || name.contains(u'\r') || name.contains(u'\n')) {
        Dialogs::notify(QStringLiteral("De naam \"%1\" bevat een teken dat niet in de leerlingenlijst kan worden "
                                       "opgeslagen. Er is niets veranderd.")
                            .arg(name.simplified()),
                        MessageIcon::Critical);
        return std::nullopt;
    }
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
