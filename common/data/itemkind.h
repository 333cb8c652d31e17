#pragma once

#include <QString>
#include <QStringView>

#include <array>

namespace velmora {

// What a map item's kind letter means, for every window alike: whether the
// item is a city, how its marker looks, and its row in the legend, which is
// also the number of the editor's add mode for it. Any letter other than the
// four known ones is kept as read by its item and drawn as a big place, but is
// no city and has no legend row.
class ItemKind
{
public:
    enum class Shape { Square, Circle };
    struct Rgb
    {
        int red = 0;
        int green = 0;
        int blue = 0;
    };

    static constexpr int Count = 4;
    static constexpr int MarkerSize = 255; // twips, every kind's marker square

    // The unknown kind.
    ItemKind();
    // The kind of a `Soort` as read: blanks and case do not count.
    static ItemKind of(QStringView soort);
    // The known kinds in legend order: the kind of row n has number n.
    static const std::array<ItemKind, Count>& all();

    int number() const;     // 1..Count; 0 when unknown
    QString letter() const; // "s", "d", "w" or "g"; empty when unknown
    bool isCity() const;
    bool isWater() const;       // the print view hatches these markers
    bool isWaterOrArea() const; // a stretch of water or land rather than a spot
    Shape shape() const;
    Rgb markerFill() const;      // on the map
    Rgb swatchFill() const;      // in the legend: lighter for water and area
    QString legendText() const;  // the legend's caption
    QString controlWord() const; // in the editor's add buttons: cmdAdd<word>
    QString placeWords() const;  // how the editor's add prompt names a new one

    struct Entry; // one line of the table of kinds

private:
    explicit ItemKind(const Entry* entry) : m_entry(entry) {}
    const Entry* m_entry;
};

} // namespace velmora
