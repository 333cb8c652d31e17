#include "itemkind.h"

using namespace velmora;

struct ItemKind::Entry
{
    int number;
    QStringView letter;
    bool city;
    bool water;
    bool waterOrArea;
    Shape shape;
    Rgb marker;
    Rgb swatch;
    QStringView legend;
    QStringView control;
    QStringView place;
};

namespace {

constexpr ItemKind::Rgb Red{255, 0, 0};

// One line per kind; the unknown kind last, with the big place's look.
const ItemKind::Entry Entries[] = {
    {1, u"s", true, false, false, ItemKind::Shape::Square, Red, Red, u"Grote plaats", u"Groot", u"de stad"},
    {2, u"d", true, false, false, ItemKind::Shape::Circle, Red, Red, u"Kleine plaats", u"Klein", u"de stad"},
    {3,
     u"w",
     false,
     true,
     true,
     ItemKind::Shape::Square,
     {0, 0, 160},
     {0, 0, 192},
     u"Water",
     u"Water",
     u"het water"},
    {4,
     u"g",
     false,
     false,
     true,
     ItemKind::Shape::Square,
     {160, 160, 160},
     {192, 192, 192},
     u"Gebied/eiland",
     u"Area",
     u"de gebied"},
    {0, {}, false, false, false, ItemKind::Shape::Square, Red, Red, {}, {}, {}},
};
constexpr int Unknown = ItemKind::Count;

} // namespace

ItemKind::ItemKind() : m_entry(&Entries[Unknown]) {}

ItemKind ItemKind::of(QStringView soort)
{
    const QString letter = soort.toString().remove(u' ').toLower();
    for (const ItemKind& kind : all()) {
        if (kind.m_entry->letter == letter)
            return kind;
    }
    return ItemKind();
}

const std::array<ItemKind, ItemKind::Count>& ItemKind::all()
{
    static const std::array<ItemKind, Count> kinds{ItemKind(&Entries[0]), ItemKind(&Entries[1]),
                                                   ItemKind(&Entries[2]), ItemKind(&Entries[3])};
    return kinds;
}

int ItemKind::number() const
{
    return m_entry->number;
}

QString ItemKind::letter() const
{
    return m_entry->letter.toString();
}

bool ItemKind::isCity() const
{
    return m_entry->city;
}

bool ItemKind::isWater() const
{
    return m_entry->water;
}

bool ItemKind::isWaterOrArea() const
{
    return m_entry->waterOrArea;
}

ItemKind::Shape ItemKind::shape() const
{
    return m_entry->shape;
}

ItemKind::Rgb ItemKind::markerFill() const
{
    return m_entry->marker;
}

ItemKind::Rgb ItemKind::swatchFill() const
{
    return m_entry->swatch;
}

QString ItemKind::legendText() const
{
    return m_entry->legend.toString();
}

QString ItemKind::controlWord() const
{
    return m_entry->control.toString();
}

QString ItemKind::placeWords() const
{
    return m_entry->place.toString();
}
