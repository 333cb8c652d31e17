#pragma once

#include "databasefile.h"
#include "dataerror.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace velmora {

// One of the two record databases the teacher keeps and the pupil program
// reads: its file and spare file in the program folder, its title and fields.
struct RegisterFile
{
    struct Field
    {
        QStringView name;
        int width;
    };

    QStringView fileName;
    QStringView spareName; // takes the place of a missing database
    QStringView title;
    std::array<Field, 2> fields;

    QString path() const;
    QList<DatabaseFile::Field> databaseFields() const;
    std::optional<DataError> moveSpareIntoPlace() const;
};

// leerling.sdb: record line = five blanks (Id) + the pupil's name.
inline constexpr RegisterFile PupilList{
    u"leerling.sdb", u"leerling.sd_", u"Leerlingendatabase", {{{u"Id", 5}, {u"Naam", 50}}}};
// kaarten.sdb: record line = the display name padded to 30 + the map file's name.
inline constexpr RegisterFile MapList{
    u"kaarten.sdb", u"kaarten.sd_", u"Kaarten", {{{u"Kaartnaam", 30}, {u"Kaartbestand", 50}}}};

} // namespace velmora
