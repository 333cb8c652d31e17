#include "frmleerlingen.h"

#include "busypointer.h"
#include "controls.h"
#include "dialogs.h"
#include "registerfile.h"
#include "smartbase.h"

#include <QPushButton>

using namespace velmora;

namespace korveladmin {
namespace {

// The Id field is always left blank.
const QString BlankId(PupilList.fields[0].width, u' ');

const QString NamePrompt = QStringLiteral("Geef de naam van de leerling:");

} // namespace

frmLeerlingen::frmLeerlingen(SmartBase& db, QWidget* parent)
    : RegisterWindow(
          QStringLiteral("frmLeerlingen"), QStringLiteral("Leerlingendatabase"), db,
          {PupilList,
           2,
           RecordList::Blanks::Kept,
           {Dialogs::programTitle(), QStringLiteral("Er is een nieuwe leerlingendatabase aangemaakt!"),
            QStringLiteral("Leerlingen toevoegen/wissen.")},
           {}},
          parent)
{
    list()->setMinimumSize(Controls::textWidth(list(), PupilList.fields[1].width), 320);
    auto* cmdChange = selectionButton(QStringLiteral("cmdChange"), QStringLiteral("Wijzigen"));
    auto* cmdRemove = selectionButton(QStringLiteral("cmdRemove"), QStringLiteral("Wissen"));
    connect(cmdChange, &QPushButton::clicked, this, &frmLeerlingen::cmdChange_Click);
    connect(cmdRemove, &QPushButton::clicked, this, [this] {
        removeSelected(QStringLiteral("Weet u zeker dat u de leerling \"%1\" wilt wissen?"),
                       QStringLiteral("Leerling wissen"));
    });

    if (const auto error = PupilList.moveSpareIntoPlace())
        showError(error->message());
    openDatabase();
}

void frmLeerlingen::cmdAdd_Click()
{
    const QString name = askName(NamePrompt, QStringLiteral("Nieuw toevoegen"), QString());
    if (name.isEmpty())
        return;
    BusyPointer busy;
    finish(busy, db().AddRecord(BlankId + name));
}

void frmLeerlingen::cmdChange_Click()
{
    const auto pupil = stillListedSelection();
    if (!pupil)
        return;
    // The whole stored name, so that one longer than the list shows is not cut unseen.
    const QString name = askName(NamePrompt, QStringLiteral("Wijzigen"), pupil->line.mid(BlankId.size()));
    if (name.isEmpty())
        return;
    BusyPointer busy;
    finish(busy, db().ChangeRecord(pupil->recordNo, BlankId + name, pupil->line));
}

} // namespace korveladmin
