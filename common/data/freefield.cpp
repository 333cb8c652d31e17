#include "freefield.h"

namespace velmora {

FreeField FreeField::read(QStringView line)
{
    FreeField field;
    qsizetype start = 0;
    while (start < line.size() && line[start].isSpace())
        ++start;
    if (start < line.size() && line[start] == u'"') {
        const qsizetype close = line.indexOf(u'"', start + 1);
        if (close < 0) {
            field.value = line.sliced(start + 1).trimmed().toString();
            return field;
        }
        field.value = line.sliced(start + 1, close - start - 1).toString();
        const qsizetype comma = line.indexOf(u',', close + 1);
        if (comma >= 0 && line.sliced(close + 1, comma - close - 1).trimmed().isEmpty())
            field.rest = line.sliced(comma + 1).toString();
        return field;
    }
    const qsizetype comma = line.indexOf(u',', start);
    if (comma < 0) {
        field.value = line.sliced(start).trimmed().toString();
        return field;
    }
    field.value = line.sliced(start, comma - start).trimmed().toString();
    field.rest = line.sliced(comma + 1).toString();
    return field;
}

} // namespace velmora
