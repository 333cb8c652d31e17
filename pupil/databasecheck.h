#pragma once

#include <QStringView>

namespace velmora {
class SmartBase;
struct RegisterFile;
} // namespace velmora

namespace korvel {

// Opens one of the two databases of the program folder for a listing. A file
// that is missing or carries another title makes the program unusable: the
// pupil sees the "Fout" message and the program ends at once.
class DatabaseCheck
{
public:
    static constexpr QStringView LeerlingFout =
        u"Er is een fout opgetreden bij het openen van de database. Zorg ervoor dat er gebruikers zijn "
        u"aangemaakt in de administratie!";
    static constexpr QStringView KaartenFout =
        u"Er is een fout opgetreden in de kaartendatabase. Installeer het programma opnieuw.";

    // True when the database is open with the expected title; otherwise the
    // program has been ended (tests observe that through ProgramExit).
    static bool open(velmora::SmartBase& db, const velmora::RegisterFile& file, QStringView fout);
};

} // namespace korvel
