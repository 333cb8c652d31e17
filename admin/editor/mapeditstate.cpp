#include "mapeditstate.h"

#include "mapfile.h"
#include "typedtext.h"

using namespace velmora;

namespace korveladmin {

MapEditState::MapEditState(const QString& bitmap, const QList<Plaats>& items)
    : m_bitmap(bitmap), m_status(ChangeText.toString())
{
    m_items.reserve(items.size());
    for (Plaats place : items) {
        place.Soort = place.Soort.trimmed().toLower();
        m_items.append({place, QPoint(place.Left, place.Top)});
    }
    markSaved();
}

int MapEditState::AddSoort() const
{
    switch (m_mode) {
    case Mode::Remove:
        return -1;
    case Mode::Add:
        return m_addKind.number();
    default:
        return 0;
    }
}

void MapEditState::chooseChange()
{
    m_mode = Mode::Change;
    m_status = ChangeText.toString();
}

void MapEditState::chooseAdd(ItemKind kind)
{
    m_mode = Mode::Add;
    m_addKind = kind;
    m_status = QStringLiteral("Klik in de kaart waar u ") + kind.placeWords() + QStringLiteral(" wilt");
}

bool MapEditState::chooseRemove()
{
    if (m_items.isEmpty())
        return false;
    m_mode = Mode::Remove;
    m_status = RemoveText.toString();
    return true;
}

MapEditState::Press MapEditState::pressOnMap(QPoint at)
{
    if (m_mode != Mode::Add)
        return Press::Nothing;
    Plaats place;
    place.Niveau = 1;
    place.Soort = m_addKind.letter();
    place.Left = at.x() - ClickToMarker;
    place.Top = at.y() - ClickToMarker;
    const auto holds = [](int coordinate) {
        return coordinate >= MapFile::MinCoordinate && coordinate <= MapFile::MaxCoordinate;
    };
    if (!holds(place.Left) || !holds(place.Top))
        return Press::OutOfReach;
    m_mode = Mode::Change;
    m_status.clear();
    if (m_items.size() >= MaxItems)
        return Press::Full;
    // A new item's panel sits 155 twips below the click, 15 lower than the
    // panel of the same item once it has been saved and read again.
    m_items.append({place, QPoint(place.Left, place.Top + 15)});
    return Press::Placed;
}

MapEditState::ItemClick MapEditState::clickItem(int index)
{
    if (m_mode == Mode::Remove)
        return ItemClick::AskRemove;
    m_openPanel = index;
    return ItemClick::PanelOpened;
}

void MapEditState::closePanel(int index)
{
    if (m_openPanel == index)
        m_openPanel = 0;
}

void MapEditState::remove(int index)
{
    m_items.removeAt(index - 1);
    // An open panel stays with its item.
    if (m_openPanel == index)
        m_openPanel = 0;
    else if (m_openPanel > index)
        --m_openPanel;
    m_status.clear();
    m_mode = Mode::Change;
}

void MapEditState::keep()
{
    // The remove text stays although the mode is change again.
    m_mode = Mode::Change;
}

std::optional<QString> MapEditState::setName(int index, const QString& name)
{
    if (auto problem = TypedText::problem(name, u"De naam"))
        return problem;
    m_items[index - 1].place.Naam = name;
    return std::nullopt;
}

void MapEditState::setLevel(int index, int level)
{
    m_items[index - 1].place.Niveau = level;
}

QList<Plaats> MapEditState::places() const
{
    QList<Plaats> places;
    places.reserve(m_items.size());
    for (const Item& item : m_items)
        places.append(item.place);
    return places;
}

} // namespace korveladmin
