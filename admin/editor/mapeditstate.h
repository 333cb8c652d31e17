#pragma once

#include "itemkind.h"
#include "plaats.h"
#include "plaatsen.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

namespace korveladmin {

// What the map editor knows, without any widget: its mode (AddSoort), the
// status line, and every item with its position in twips, its kind letter,
// name, level and where its edit panel hangs. The window shows this state
// and turns the teacher's clicks into the calls below.
class MapEditState
{
public:
    enum class Mode { Change, Add, Remove };

    static constexpr int MaxItems = velmora::Plaatsen::Capacity;
    static constexpr QSize PanelSize{1455, 615};
    static constexpr QSize HotSpotSize{480, 450};
    // A click places the marker's top-left corner this far up and left of it.
    static constexpr int ClickToMarker = 120;

    static constexpr QStringView ChangeText = u"Klik op de plaats, het water of gebied dat u wilt aanpassen";
    static constexpr QStringView RemoveText =
        u"Klik op de plaats, het water of het gebied dat u wilt verwijderen";

    struct Item
    {
        // Niveau stays as read (possibly not 1-3) until a level is chosen;
        // Soort holds the kind letter trimmed and lower-cased, an unknown one too.
        velmora::Plaats place;
        // The panel hangs below this point as a label below its marker: the
        // marker's corner, 15 twips lower for an item placed since opening.
        QPoint panelBelow;
    };

    MapEditState(const QString& bitmap, const QList<velmora::Plaats>& items);

    // The mode as one number: 0 change, -1 remove, else the number of the kind to add.
    int AddSoort() const;
    const QString& status() const { return m_status; }
    int AantPlaatsen() const { return int(m_items.size()); }
    const QString& Bitmap() const { return m_bitmap; }
    // Items are numbered from 1.
    const Item& item(int index) const { return m_items.at(index - 1); }
    // The item whose edit panel is open; 0 when none is.
    int openPanel() const { return m_openPanel; }

    void chooseChange();
    void chooseAdd(velmora::ItemKind kind);
    // Only while there are items; says whether the mode changed.
    bool chooseRemove();

    enum class Press { Nothing, Placed, Full, OutOfReach };
    // A press on the picture outside every hotspot, in twips. A press whose
    // item the map file could not hold places nothing and keeps the add mode.
    Press pressOnMap(QPoint at);

    enum class ItemClick { PanelOpened, AskRemove };
    ItemClick clickItem(int index);
    void closePanel(int index);
    // The answer to the removal question.
    void remove(int index);
    void keep();

    // Why the name cannot be stored, the item keeping its old name; empty
    // when it is stored.
    std::optional<QString> setName(int index, const QString& name);
    void setLevel(int index, int level);

    // The items as the map file gets them.
    QList<velmora::Plaats> places() const;
    // Whether the items differ from the map as read or last saved.
    bool changed() const { return places() != m_saved; }
    void markSaved() { m_saved = places(); }

private:
    QString m_bitmap;
    QList<Item> m_items;
    QList<velmora::Plaats> m_saved;
    Mode m_mode = Mode::Change;
    velmora::ItemKind m_addKind; // what a press on the map adds, in add mode
    QString m_status;
    int m_openPanel = 0;
};

} // namespace korveladmin
