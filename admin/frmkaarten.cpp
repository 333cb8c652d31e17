#include "frmkaarten.h"

#include "busypointer.h"
#include "dialogs.h"
#include "frmkaartedit.h"
#include "mapimport.h"
#include "registerfile.h"
#include "smartbase.h"

#include <QFileInfo>
#include <QPushButton>

using namespace velmora;

namespace korveladmin {
namespace {

constexpr int NameWidth = MapList.fields[0].width;

const QString AddCaption = QStringLiteral("Kaart toevoegen");

} // namespace

frmKaarten::frmKaarten(SmartBase& db, QWidget* parent)
    : RegisterWindow(QStringLiteral("frmKaarten"), QStringLiteral("Kaartendatabase"), db,
                     {MapList,
                      1,
                      RecordList::Blanks::Trimmed,
                      {QStringLiteral("Fout"), QStringLiteral("De nieuwe kaartendatabase is aangemaakt!"),
                       QStringLiteral("Kaarten toevoegen/wissen")},
                      QStringLiteral("Ongeldige naam")},
                     parent)
{
    auto* cmdChange = selectionButton(QStringLiteral("cmdChange"), QStringLiteral("Naam wijzigen"));
    auto* cmdRemove = selectionButton(QStringLiteral("cmdRemove"), QStringLiteral("Kaart wissen"));
    auto* cmdEdit = selectionButton(QStringLiteral("cmdEdit"), QStringLiteral("Kaart aanpassen"));
    resize(520, 340);
    connect(cmdChange, &QPushButton::clicked, this, &frmKaarten::cmdChange_Click);
    connect(cmdRemove, &QPushButton::clicked, this, [this] {
        removeSelected(
            QStringLiteral("Weet u zeker dat u de kaart \"%1\" wilt wissen? Het kaartbestand en de "
                           "afbeelding blijven in de programmamap."),
            QStringLiteral("Kaart wissen"));
    });
    connect(cmdEdit, &QPushButton::clicked, this, &frmKaarten::cmdEdit_Click);
    openDatabase();
}

QString frmKaarten::recordLine(const QString& name, const QString& mapFile)
{
    return name.leftJustified(NameWidth, u' ', true) + mapFile;
}

void frmKaarten::cmdAdd_Click()
{
    const QString chosen = Dialogs::current().openFile(
        QStringLiteral("Openen..."),
        {{QStringLiteral("Kaartbestanden en afbeeldingen (*.krt *.bmp)"), QStringLiteral("*.krt;*.bmp")},
         {QStringLiteral("Alle Bestanden (*.*)"), QStringLiteral("*.*")}});
    if (chosen.isEmpty())
        return;
    MapImport import(chosen);
    if (!prepareMapFile(import))
        return;
    // Nothing is written before the name is confirmed, so that cancelling leaves everything as it was.
    const QString name =
        askName(QStringLiteral("Geef een naam voor deze kaart:"), AddCaption, import.proposedName());
    if (name.isEmpty())
        return;
    BusyPointer busy;
    const auto added = import.perform();
    if (const auto* failed = std::get_if<DataError>(&added))
        finish(busy, *failed);
    else
        finish(busy, db().AddRecord(recordLine(name, std::get<QString>(added))));
}

bool frmKaarten::prepareMapFile(MapImport& import)
{
    if (import.source() == MapImport::Source::Other) {
        showError(QStringLiteral("Het bestand %1 is geen kaartbestand (.krt) en geen afbeelding (.bmp).")
                      .arg(import.chosenName()));
        return false;
    }
    if (const auto problem = import.mapFileNameProblem()) {
        showError(*problem);
        return false;
    }
    if (!import.existingMapFile().isEmpty()) {
        switch (Dialogs::current().message(
            QStringLiteral(
                "In de programmamap staat al een kaartbestand %1. Wilt u dat kaartbestand met zijn "
                "plaatsen toevoegen zoals het is?\n\nKies Nee voor een nieuw kaartbestand %2 zonder "
                "plaatsen. Het bestaande kaartbestand blijft in beide gevallen zoals het is.")
                .arg(QFileInfo(import.existingMapFile()).fileName(), import.freeMapFileName()),
            AddCaption, MessageIcon::Question, MessageButtons::YesNoCancel, MessageAnswer::No)) {
        case MessageAnswer::Yes:
            import.useExistingMapFile();
            break;
        case MessageAnswer::No:
            break;
        default:
            return false;
        }
    }
    if (import.source() == MapImport::Source::MapFile) {
        if (auto error = import.readMapFile()) {
            showError(error->message());
            return false;
        }
        if (import.picturePath().isEmpty()) {
            showError(QStringLiteral("Het bestand ") + import.pictureName() +
                      QStringLiteral(" is niet gevonden in dezelfde map."));
            return false;
        }
    }
    if (const auto size = import.pictureTooLarge()) {
        showError(
            QStringLiteral("De afbeelding %1 is %2 × %3 beeldpunten groot. Een kaart kan plaatsen bewaren "
                           "tot %4 beeldpunten rechts van en onder de linkerbovenhoek: maak de afbeelding "
                           "hoogstens %4 × %4 beeldpunten groot. Er is niets toegevoegd.")
                .arg(import.pictureName())
                .arg(size->width())
                .arg(size->height())
                .arg(MapImport::maxPicturePixels()));
        return false;
    }
    return !import.pictureReplacesOther() ||
           Dialogs::confirmDestructive(
               QStringLiteral("In de programmamap staat al een ander bestand %1. Wilt u het vervangen?")
                   .arg(import.pictureName()),
               AddCaption);
}

void frmKaarten::cmdChange_Click()
{
    const auto map = stillListedSelection();
    if (!map)
        return;
    const QString name = askName(QStringLiteral("Geef een nieuwe naam voor deze kaart:"),
                                 QStringLiteral("Kaart wijzigen"), map->text);
    if (name.isEmpty())
        return;
    BusyPointer busy;
    finish(busy,
           db().ChangeRecord(map->recordNo, recordLine(name, db().GetField(map->recordNo, 2)), map->line));
}

void frmKaarten::cmdEdit_Click()
{
    const auto map = stillListedSelection();
    if (!map)
        return;
    // The register changes nothing afterwards: its selection and database stay as they were.
    frmKaartEdit editor(db(), map->recordNo, map->text, this);
    if (editor.load())
        editor.exec();
    // Except for a copy of the map that the editor added to the list.
    if (editor.addedCopy())
        refreshList();
}

} // namespace korveladmin
