#pragma once

#include <QString>

namespace korvel {

// What the pupil chose before an activity: name, map and level, as the login
// window and the map menu keep them while hidden.
struct Keuze
{
    QString Gebruiker;
    QString Kaart;     // the map's name as listed (trailing blanks already dropped)
    QString KaartFile; // the map file field as read from kaarten.sdb
    int Niveau = 1;    // 1, 2 or 3
};

} // namespace korvel
