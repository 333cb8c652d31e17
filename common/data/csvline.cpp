#include "csvline.h"

#include "ansitext.h"

#include <utility>

namespace velmora {
namespace {

// A spreadsheet runs a cell that starts like a formula: a name typed as
// "=HYPERLINK(...)" must stay text.
bool looksLikeFormula(QStringView field)
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

QStringList CsvLine::decode(QByteArrayView line)
{
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    const QString text = AnsiText::decode(line);
    QStringList fields;
    if (!text.contains(u'"')) {
        fields = text.split(u';');
    } else {
        QString field;
        bool inQuotes = false;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (inQuotes && c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else if (c == u'"')
                inQuotes = !inQuotes;
            else if (c == u';' && !inQuotes)
                fields.append(std::exchange(field, QString()));
            else
                field += c;
        }
        fields.append(field);
    }
    // Undo the mark that kept a formula-like field text.
    for (QString& f : fields) {
        if (f.startsWith(u'\'') && looksLikeFormula(QStringView(f).mid(1)))
            f.remove(0, 1);
    }
    return fields;
}

} // namespace velmora
