#pragma once

#include <QByteArray>
#include <QByteArrayView>
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
    // The fields of one line as encode() writes them, line end left off or not.
    static QStringList decode(QByteArrayView line);
};

} // namespace velmora
