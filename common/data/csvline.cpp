#include "csvline.h"

#include "ansitext.h"

namespace velmora {
namespace {

// A spreadsheet runs a cell that starts like a formula: a name typed as
// "=HYPERLINK(...)" must stay text.
bool looksLikeFormula(const QString& field)
{
    return !field.isEmpty() && QStringLiteral("=+-@\t\r").contains(field.front());
}

QString quoted(const QString& field)
{
    const QString text = looksLikeFormula(field) ? u'\'' + field : field;
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QByteArray windows1252(QString text)
{
    while (const auto missing = AnsiText::firstUnencodable(text))
        text.replace(*missing, u'?');
    return *AnsiText::encode(text);
}

} // namespace

QByteArray CsvLine::encode(const QStringList& fields)
{
    QStringList cells;
    cells.reserve(fields.size());
    for (const QString& field : fields)
        cells.append(quoted(field));
    return windows1252(cells.join(u';')) + "\r\n";
}

} // namespace velmora
