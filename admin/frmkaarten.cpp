#include "frmkaarten.h"

#include "busypointer.h"
#include "controls.h"
#include "dialogs.h"
#include "frmkaartedit.h"
#include "mapimport.h"
#include "namebox.h"
#include "recordlist.h"
#include "registerdatabase.h"
#include "registerfile.h"
#include "smartbase.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using velmora::Controls;
using velmora::Dialogs;
using velmora::MessageAnswer;
using velmora::MessageButtons;
using velmora::MessageIcon;

namespace korveladmin {
namespace {

constexpr int NameWidth = velmora::MapList.fields[0].width;

const QString ErrorCaption = QStringLiteral("Fout");

const QString AddCaption = QStringLiteral("Kaart toevoegen");

} // namespace

frmKaarten::frmKaarten(velmora::SmartBase& db, QWidget* parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("frmKaarten"));
    setWindowTitle(QStringLiteral("Kaartendatabase"));

    List = new RecordList(this);
    cmdAdd = Controls::button(QStringLiteral("cmdAdd"), QStringLiteral("Nieuwe toevoegen"), this);
    cmdChange = Controls::button(QStringLiteral("cmdChange"), QStringLiteral("Naam wijzigen"), this);
    cmdRemove = Controls::button(QStringLiteral("cmdRemove"), QStringLiteral("Kaart wissen"), this);
    cmdEdit = Controls::button(QStringLiteral("cmdEdit"), QStringLiteral("Kaart aanpassen"), this);
    auto* cmdEnd = Controls::button(QStringLiteral("cmdEnd"), QStringLiteral("Sluiten"), this);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {cmdAdd, cmdChange, cmdRemove, cmdEdit})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(cmdEnd);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(List, 1);
    layout->addLayout(buttons);
    resize(520, 340);
    // Starting in the list would mark its first entry as current, which looks selected.
    cmdAdd->setFocus();

    connect(List, &RecordList::itemSelectionChanged, this, &frmKaarten::List_SelectionChanged);
    connect(cmdAdd, &QPushButton::clicked, this, &frmKaarten::cmdAdd_Click);
    connect(cmdChange, &QPushButton::clicked, this, &frmKaarten::cmdChange_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmKaarten::cmdRemove_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmKaarten::cmdEdit_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &QDialog::accept);

    m_usable = velmora::RegisterDatabase::open(m_db, velmora::MapList,
                                               {ErrorCaption,
                                                QStringLiteral("De nieuwe kaartendatabase is aangemaakt!"),
                                                QStringLiteral("Kaarten toevoegen/wissen")});
    if (!m_usable)
        cmdAdd->setEnabled(false);
    refreshList();
}

QString frmKaarten::recordLine(const QString& name, const QString& mapFile)
{
    return name.leftJustified(NameWidth, u' ', true) + mapFile;
}

void frmKaarten::done(int result)
{
    if (m_usable && m_db.isOpen())
        m_db.CloseDatabase();
    m_usable = false;
    QDialog::done(result);
}

void frmKaarten::refreshList()
{
    // A refill selects nothing, and so turns the buttons that need a selection off.
    List->fill(m_usable ? m_db.ListRecords(1) : QList<velmora::SmartBase::ListedRecord>(),
               RecordList::Blanks::Trimmed);
}

void frmKaarten::List_SelectionChanged()
{
    const bool selected = List->selected().has_value();
    for (QPushButton* button : {cmdChange, cmdEdit, cmdRemove})
        button->setEnabled(selected);
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
    const QString name = askName(QStringLiteral("Geef een naam voor deze kaart:"),
                                 QStringLiteral("Kaart toevoegen"), import.proposedName());
    if (name.isEmpty())
        return;
    velmora::BusyPointer busy;
    auto added = import.perform();
    std::optional<velmora::DataError> error;
    if (auto* failed = std::get_if<velmora::DataError>(&added))
        error = *failed;
    else
        error = m_db.AddRecord(recordLine(name, std::get<QString>(added)));
    if (error) {
        busy.release();
        showError(*error);
        return;
    }
    refreshList();
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
            showError(*error);
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
    const auto map = List->selected();
    if (!map || !selectionStillListed(map->recordNo, map->line))
        return;
    const QString name = askName(QStringLiteral("Geef een nieuwe naam voor deze kaart:"),
                                 QStringLiteral("Kaart wijzigen"), map->text);
    if (name.isEmpty())
        return;
    velmora::BusyPointer busy;
    const QString line = recordLine(name, m_db.GetField(map->recordNo, 2));
    if (auto error = m_db.ChangeRecord(map->recordNo, line, map->line)) {
        busy.release();
        refreshAndShow(*error);
        return;
    }
    refreshList();
}

void frmKaarten::cmdRemove_Click()
{
    const auto map = List->selected();
    if (!map || !Dialogs::confirmDestructive(
                    QStringLiteral("Weet u zeker dat u de kaart \"%1\" wilt wissen? Het kaartbestand en de "
                                   "afbeelding blijven in de programmamap.")
                        .arg(map->text),
                    QStringLiteral("Kaart wissen")))
        return;
    velmora::BusyPointer busy;
    if (auto error = m_db.RemoveRecord(map->recordNo, map->line)) {
        busy.release();
        refreshAndShow(*error);
        return;
    }
    refreshList();
}

void frmKaarten::cmdEdit_Click()
{
    const auto map = List->selected();
    if (!map || !selectionStillListed(map->recordNo, map->line))
        return;
    // The register changes nothing afterwards: its selection and database stay as they were.
    frmKaartEdit editor(m_db, map->recordNo, map->text, this);
    if (editor.load())
        editor.exec();
    // Except for a copy of the map that the editor added to the list.
    if (editor.addedCopy())
        refreshList();
}

bool frmKaarten::selectionStillListed(int recordNo, const QString& line)
{
    if (const auto changed = m_db.CheckRecord(recordNo, line)) {
        refreshAndShow(*changed);
        return false;
    }
    return true;
}

void frmKaarten::refreshAndShow(const velmora::DataError& error)
{
    refreshList();
    showError(error);
}

QString frmKaarten::askName(const QString& prompt, const QString& title, const QString& proposed)
{
    const QString name = velmora::NameBox::ask({prompt, title, proposed, ErrorCaption, NameWidth});
    if (name.isEmpty())
        showError(QStringLiteral("Ongeldige naam"));
    return name;
}

void frmKaarten::showError(const QString& text)
{
    Dialogs::current().message(text, ErrorCaption, MessageIcon::Critical, MessageButtons::Ok);
}

void frmKaarten::showError(const velmora::DataError& error)
{
    showError(error.message());
}

} // namespace korveladmin
