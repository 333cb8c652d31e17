#pragma once

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

    // The kind letter as every user compares it: blanks removed, lower case.
    QString kind() const { return QString(Soort).remove(u' ').toLower(); }
    bool isCity() const
    {
        const QString k = kind();
        return k == u"s" || k == u"d";
    }
    bool operator==(const Plaats&) const = default;
};

} // namespace velmora
