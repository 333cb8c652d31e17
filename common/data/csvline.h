#pragma once

#include <QByteArray>
#include <QStringList>

namespace velmora {

// One line of a CSV file as a Dutch spreadsheet opens it without asking:
// fields separated by ';', Windows-1252, CR LF.
class CsvLine
{
public:
    // A character Windows-1252 lacks becomes '?': the line is read by people,
    // never by these programs.
    static QByteArray encode(const QStringList& fields);
};

} // namespace velmora
