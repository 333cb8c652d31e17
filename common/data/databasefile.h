#pragma once

#include "dataerror.h"

#include <QList>
#include <QString>

#include <optional>
#include <variant>

namespace velmora {

// A record database as a whole file: a fresh, empty one, and the spare copy
// that stands in for a missing one. Reading and changing records is SmartBase's.
class DatabaseFile
{
public:
    struct Field
    {
        QString name;
        int width;
    };

    struct Creation
    {
        bool created = false; // false: a database with the title was there after all
        QString notice;       // says where a file with another title was kept; empty when none
    };
    // Puts the header lines and no records at path (title, field count, then
    // each field's name and width) unless a database with this title is
    // there, which is looked at under the file's lock: another teacher may
    // have just made it. A file with another title is never destroyed: it is
    // first kept under a new name beside it.
    static std::variant<Creation, DataError> create(const QString& path, const QString& title,
                                                    const QList<Field>& fields);
    // Moves the spare file into the database's place when the database is
    // missing and the spare is there; otherwise does nothing.
    static std::optional<DataError> moveSpareIntoPlace(const QString& databaseName, const QString& spareName);
};

} // namespace velmora
