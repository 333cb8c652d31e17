#pragma once

#include "itemkind.h"

#include <QString>

namespace velmora {

// One map item: level, kind letter, the top-left corner of its marker in twips
// from the picture's top-left corner (top first), and its name.
struct Plaats
{
    int Niveau = 0;
    QString Soort; // columns 3-4 as read, normally the letter and a blank
    int Top = 0;
    int Left = 0;
    QString Naam;

    // What its kind letter means.
    ItemKind kind() const { return ItemKind::of(Soort); }
    bool operator==(const Plaats&) const = default;
};

} // namespace velmora
