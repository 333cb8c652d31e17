#include "frmkaartedit.h"

#include "controls.h"
#include "dialogs.h"
#include "fonts.h"
#include "frmkaarten.h"
#include "hotspot.h"
#include "keepmaximised.h"
#include "mapchrome.h"
#include "mapclosebutton.h"
#include "mapcursors.h"
#include "mapdrawing.h"
#include "mapfile.h"
#include "maplegend.h"
#include "mappicture.h"
#include "mapshape.h"
#include "newfile.h"
#include "noescape.h"
#include "programfolder.h"
#include "registerfile.h"
#include "smartbase.h"
#include "twips.h"
#include "twipsgeometry.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include <algorithm>

using namespace velmora;

namespace korveladmin {
namespace {

const QString Caption = QStringLiteral("Kaart aanpassen");

QString indexed(const QString& name, int index)
{
    return name + u'_' + QString::number(index);
}

// The last field of a record carries no padding of its own, but a
// hand-edited one may end in blanks that are no part of the name.
QString withoutTrailingBlanks(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s+$")));
}

QPushButton* makeButton(const QString& name, const QString& text, QWidget* parent, const QRect& twips)
{
    QPushButton* button = Controls::button(name, text, parent);
    // Enter in a name box must not press a button of the editor.
    button->setAutoDefault(false);
    TwipsGeometry::set(button, twips);
    return button;
}

} // namespace

frmKaartEdit::frmKaartEdit(SmartBase& db, int recordNo, const QString& caption, QWidget* parent)
    : QDialog(parent), m_db(db), m_recordNo(recordNo)
{
    setObjectName(QStringLiteral("frmKaartEdit"));
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowMinMaxButtonsHint);

    lblStatus = new QLabel;
    lblStatus->setFont(Fonts::timesNewRoman(24, true));
    const auto chrome = MapChrome::build(this, lblStatus);
    Picture1 = chrome.picture;
    cmdClose = chrome.close;
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(Picture1, &MapPicture::pressed, this,
            [this](int x, int y, Qt::MouseButton) { picturePressed(x, y); });

    MapDrawingStyle style;
    style.hotSpot = MapEditState::HotSpotSize;
    style.labels = false;
    m_drawing = new MapDrawing(Picture1, style, this);
    connect(m_drawing, &MapDrawing::hotSpotClicked, this, [this](int index, Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            itemClicked(index);
    });

    buildLegend();
    // The editor has no cancel button: Escape is no way out of it.
    NoEscape::apply(this);
    KeepMaximised::apply(this);
    setWindowState(Qt::WindowMaximized);
}

void frmKaartEdit::buildLegend()
{
    MapLegend::Style style;
    style.size = QSize(2055, 2055);
    style.firstRowTop = 600;
    style.captionWidth = 1095;
    Legenda = new MapLegend(style, this);

    auto* change = makeButton(QStringLiteral("cmdChange"), QStringLiteral("Wijzigen"), Legenda,
                              QRect(120, 120, 855, 375));
    connect(change, &QPushButton::clicked, this, [this] {
        m_state->chooseChange();
        showStatus();
    });
    auto* remove = makeButton(QStringLiteral("cmdRemove"), QStringLiteral("Wissen"), Legenda,
                              QRect(1080, 120, 855, 375));
    connect(remove, &QPushButton::clicked, this, [this] {
        if (m_state->chooseRemove())
            showStatus();
    });
    for (const ItemKind& kind : ItemKind::all())
        addModeButtons(kind);
}

// The kind's legend row gets a "+" button; it and the clickable swatch over its colour do the same.
void frmKaartEdit::addModeButtons(ItemKind kind)
{
    const QString name = QStringLiteral("cmdAdd") + kind.controlWord();
    const auto choose = [this, kind] {
        m_state->chooseAdd(kind);
        showStatus();
    };
    const QRect swatch = TwipsGeometry::get(Legenda->swatch(kind.number()));
    auto* plus = makeButton(name, QStringLiteral("+"), Legenda,
                            QRect(1680, swatch.top(), swatch.width(), swatch.height()));
    connect(plus, &QPushButton::clicked, this, choose);
    auto* image = new HotSpot(Legenda);
    image->setObjectName(name + u'1');
    image->setCursor(MapCursors::hand());
    TwipsGeometry::set(image, swatch);
    connect(image, &HotSpot::clicked, this, [choose](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            choose();
    });
}

bool frmKaartEdit::load()
{
    m_krtName = withoutTrailingBlanks(m_db.GetField(m_recordNo, 2));
    auto read = MapFile::readFile(m_krtName, m_opened);
    if (const auto* error = std::get_if<DataError>(&read)) {
        showError(error->message());
        return false;
    }
    const auto& contents = std::get<MapFile::Contents>(read);
    if (auto error = Picture1->load(contents.picture)) {
        showError(error->message());
        return false;
    }
    m_krtPath = ProgramFolder::pathFor(m_krtName);
    m_state.emplace(contents.picture, contents.items);
    fitMap();
    placeBeside();
    for (int index = 1; index <= m_state->AantPlaatsen(); ++index)
        buildItem(index);
    showStatus();
    return true;
}

bool frmKaartEdit::fitMap()
{
    if (!m_drawing->setScale(Legenda->fittingScale(size(), Picture1)))
        return false;
    for (int index = 1; index < m_panels.size(); ++index)
        placePanel(index);
    return true;
}

void frmKaartEdit::placeBeside()
{
    Legenda->placeBeside(Picture1);
    MapCloseButton::place(cmdClose, Picture1, {Legenda});
}

void frmKaartEdit::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // Also how a maximised window learns that it moved to another screen.
    if (m_state && fitMap())
        placeBeside();
}

void frmKaartEdit::buildItem(int index)
{
    const MapEditState::Item& item = m_state->item(index);
    m_drawing->add(index, item.place);

    Panel panel;
    panel.EditFrame = new QFrame(Picture1);
    panel.EditFrame->setObjectName(indexed(QStringLiteral("EditFrame"), index));
    panel.EditFrame->setFrameShape(QFrame::Panel);
    panel.EditFrame->setFrameShadow(QFrame::Raised);
    panel.EditFrame->setAutoFillBackground(true);
    panel.EditFrame->setFont(Fonts::msSansSerif(8.25));
    // A press on an open panel is no press on the map.
    panel.EditFrame->setAttribute(Qt::WA_NoMousePropagation);
    panel.EditFrame->hide();

    panel.txtPlaatsnaam = new QLineEdit(panel.EditFrame);
    panel.txtPlaatsnaam->setObjectName(indexed(QStringLiteral("txtPlaatsnaam"), index));
    TwipsGeometry::set(panel.txtPlaatsnaam, QRect(0, 0, 1215, 285));
    connect(panel.txtPlaatsnaam, &QLineEdit::textChanged, this,
            [this, index](const QString& text) { nameTyped(index, text); });
    for (int level = 1; level <= 3; ++level) {
        auto* option = new QRadioButton(QString::number(level), panel.EditFrame);
        option->setObjectName(indexed(QStringLiteral("Niveau") + QString::number(level), index));
        TwipsGeometry::set(option, QRect((level - 1) * 480, 360, 375, 255));
        connect(option, &QRadioButton::toggled, this, [this, index, level](bool on) {
            if (on)
                m_state->setLevel(index, level);
        });
        panel.Niveau[level - 1] = option;
    }
    panel.cmdCloseEdit = makeButton(indexed(QStringLiteral("cmdCloseEdit"), index), QStringLiteral("X"),
                                    panel.EditFrame, QRect(1200, 0, 255, 255));
    connect(panel.cmdCloseEdit, &QPushButton::clicked, this, [this, index] {
        m_state->closePanel(index);
        showItem(index);
    });

    if (m_panels.size() <= index)
        m_panels.resize(index + 1);
    m_panels[index] = panel;
    showItem(index);

    // The panel, then the hotspot on top, later items above earlier ones; markers lie below both.
    panel.EditFrame->raise();
    m_drawing->hotSpot(index)->raise();
    raiseOpenPanel();
}

void frmKaartEdit::showItem(int index)
{
    const MapEditState::Item& item = m_state->item(index);
    m_drawing->update(index, item.place);

    const Panel& panel = m_panels[index];
    placePanel(index);
    {
        const QSignalBlocker blocker(panel.txtPlaatsnaam);
        if (panel.txtPlaatsnaam->text() != item.place.Naam)
            panel.txtPlaatsnaam->setText(item.place.Naam);
    }
    for (int level = 1; level <= 3; ++level) {
        QRadioButton* option = panel.Niveau[level - 1];
        const QSignalBlocker blocker(option);
        // Exclusive options cannot all be cleared while they are exclusive.
        option->setAutoExclusive(false);
        option->setChecked(item.place.Niveau == level);
        option->setAutoExclusive(true);
    }
    panel.EditFrame->setVisible(m_state->openPanel() == index);
    raiseOpenPanel();
}

void frmKaartEdit::placePanel(int index)
{
    const QPoint below = m_state->item(index).panelBelow;
    m_drawing->placeBelow(m_panels[index].EditFrame, below.x(), below.y(), MapEditState::PanelSize, true);
}

void frmKaartEdit::raiseOpenPanel()
{
    if (const int open = m_state->openPanel())
        m_panels[open].EditFrame->raise();
}

void frmKaartEdit::nameTyped(int index, const QString& text)
{
    if (const auto problem = m_state->setName(index, text)) {
        showItem(index); // the box shows the stored name again
        showError(*problem);
    }
}

void frmKaartEdit::destroyLastItem()
{
    const int last = int(m_panels.size()) - 1;
    QFrame* frame = m_panels[last].EditFrame;
    frame->hide();
    for (QObject* control : frame->children())
        control->setObjectName(QString());
    frame->setObjectName(QString());
    frame->deleteLater();
    m_panels.removeLast();
    m_drawing->remove(last);
}

void frmKaartEdit::showStatus()
{
    lblStatus->setText(m_state->status());
}

void frmKaartEdit::picturePressed(int xTwips, int yTwips)
{
    switch (m_state->pressOnMap(QPoint(xTwips, yTwips))) {
    case MapEditState::Press::Nothing:
        return;
    case MapEditState::Press::Placed:
        buildItem(m_state->AantPlaatsen());
        break;
    case MapEditState::Press::Full:
        showError(QStringLiteral("Een kaart kan hoogstens %1 plaatsen, wateren en gebieden bevatten. "
                                 "Er is niets toegevoegd.")
                      .arg(MapEditState::MaxItems));
        break;
    case MapEditState::Press::OutOfReach:
        showError(QStringLiteral("Een kaartbestand kan geen plaats, water of gebied bewaren dat verder dan "
                                 "%1 beeldpunten rechts van of onder de linkerbovenhoek van de kaart ligt. "
                                 "Er is niets toegevoegd; klik dichter bij die hoek.")
                      .arg(Twips::toPixels(MapFile::MaxCoordinate)));
        break;
    }
    showStatus();
}

void frmKaartEdit::itemClicked(int index)
{
    const int wasOpen = m_state->openPanel();
    if (m_state->clickItem(index) == MapEditState::ItemClick::PanelOpened) {
        if (wasOpen != 0 && wasOpen != index)
            showItem(wasOpen);
        showItem(index);
        m_panels[index].txtPlaatsnaam->setFocus();
        return;
    }
    const QString question = QStringLiteral("Weet u zeker dat u ") + m_panels[index].txtPlaatsnaam->text() +
                             QStringLiteral(" wilt verwijderen?");
    if (!Dialogs::confirmDestructive(question, QStringLiteral("Plaats verwijderen"))) {
        m_state->keep();
        return;
    }
    m_state->remove(index);
    // Every later item moves one number down; the last set of controls goes.
    for (int j = index; j <= m_state->AantPlaatsen(); ++j)
        showItem(j);
    destroyLastItem();
    showStatus();
}

void frmKaartEdit::done(int result)
{
    if (m_state && m_state->changed()) {
        switch (Dialogs::current().message(QStringLiteral("Wilt u de kaart opslaan?"), Caption,
                                           MessageIcon::Question, MessageButtons::YesNoCancel)) {
        case MessageAnswer::Yes:
            if (!save())
                return;
            result = Accepted;
            break;
        case MessageAnswer::No:
            result = Rejected;
            break;
        default:
            return;
        }
    }
    QDialog::done(result);
}

bool frmKaartEdit::mapStillListed() const
{
    // Another teacher may have removed a map meanwhile, so that this record
    // number now names another map's file: the map is looked for by its file.
    const QStringList files = m_db.ListField(2);
    return std::any_of(files.begin(), files.end(), [this](const QString& file) {
        return withoutTrailingBlanks(file).compare(m_krtName, Qt::CaseInsensitive) == 0;
    });
}

bool frmKaartEdit::save()
{
    if (!mapStillListed() &&
        Dialogs::current().message(
            QStringLiteral("De kaart \"%1\" staat niet meer in de lijst met kaarten: iemand anders heeft de "
                           "lijst intussen veranderd.\n\nWilt u uw wijzigingen toch bewaren in het bestand "
                           "\"%2\", waaruit u de kaart hebt geopend? Geen andere kaart gebruikt dat bestand.")
                .arg(windowTitle().trimmed(), m_krtName),
            Caption, MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
        return false;
    auto error = MapFile::writeOver(m_krtPath, m_opened, m_state->Bitmap(), m_state->places());
    if (error && error->kind == DataError::Kind::RecordChanged)
        return saveAsCopy();
    if (error) {
        showError(error->message());
        return false;
    }
    m_state->markSaved();
    return true;
}

bool frmKaartEdit::saveAsCopy()
{
    const QString suffix = QStringLiteral(" (kopie)");
    const QString name =
        windowTitle().trimmed().left(MapList.fields[0].width - suffix.size()).trimmed() + suffix;
    if (Dialogs::current().message(
            QStringLiteral(
                "Iemand anders heeft de kaart \"%1\" opgeslagen nadat u deze hier opende. Die versie "
                "blijft bewaard zoals ze is.\n\nWilt u uw wijzigingen bewaren als een nieuwe kaart "
                "\"%2\"? Kies Nee om verder te werken aan de kaart.")
                .arg(windowTitle().trimmed(), name),
            Caption, MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
        return false;
    auto formatted = MapFile::format(m_state->Bitmap(), m_state->places(), m_krtName);
    if (auto* error = std::get_if<DataError>(&formatted)) {
        showError(error->message());
        return false;
    }
    auto created = NewFile::create(m_krtName, std::get<QByteArray>(formatted));
    if (auto* error = std::get_if<DataError>(&created)) {
        showError(error->message());
        return false;
    }
    const QString file = std::get<QString>(created);
    m_state->markSaved();
    if (auto error = m_db.AddRecord(frmKaarten::recordLine(name, file))) {
        // The edits are safe in their file; only the list lacks it.
        showError(QStringLiteral("Uw wijzigingen staan in het bestand \"%1\", maar de kaart kon niet aan de "
                                 "lijst worden toegevoegd. %2")
                      .arg(file, error->message()));
        return true;
    }
    m_addedCopy = true;
    return true;
}

void frmKaartEdit::showError(const QString& text)
{
    Dialogs::current().message(text, Caption, MessageIcon::Critical, MessageButtons::Ok);
}

} // namespace korveladmin
