#include "textlines.h"

namespace velmora {

QList<QByteArrayView> TextLines::split(QByteArrayView data)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        const bool terminated = end >= 0;
        if (!terminated)
            end = data.size();
        qsizetype stop = end;
        if (terminated && stop > start && data[stop - 1] == '\r')
            --stop;
        lines.append(data.sliced(start, stop - start));
        start = end + 1;
    }
    return lines;
}

} // namespace velmora
