#include "resultstable.h"

#include "ansitext.h"

#include <algorithm>

namespace velmora {

ResultsTable::ResultsTable(QByteArray data) : m_data(std::move(data))
{
    const char* begin = m_data.constData();
    const qsizetype size = m_data.size();
    if (size == 0)
        return;
    // As TextLines::split: a last line without its ending counts, the ending of the last line starts none.
    const qsizetype lines = std::count(begin, begin + size, '\n') + (m_data.endsWith('\n') ? 0 : 1);
    m_size = (lines + 4) / 5;
    m_starts.reserve((m_size + Stride - 1) / Stride);
    m_starts.append(0);
    qsizetype line = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (begin[i] == '\n' && ++line % (5 * Stride) == 0)
            m_starts.append(quint32(i + 1));
    }
}

ResultRecord ResultsTable::record(qsizetype index) const
{
    QByteArrayView rest = QByteArrayView(m_data).sliced(m_starts[index / Stride]);
    // Past the records before it that share its mark.
    for (qsizetype skip = (index % Stride) * 5; skip > 0; --skip)
        rest = rest.sliced(rest.indexOf('\n') + 1);
    // Five lines; those a cut-off record lacks are empty.
    QString lines[5];
    for (QString& text : lines) {
        if (rest.isEmpty())
            break;
        const qsizetype newline = rest.indexOf('\n');
        QByteArrayView line = newline < 0 ? rest : rest.first(newline);
        rest = newline < 0 ? QByteArrayView() : rest.sliced(newline + 1);
        // A CR ends a line only before its LF: a last line cut after a CR keeps it.
        if (newline >= 0 && line.endsWith('\r'))
            line.chop(1);
        text = AnsiText::decode(line);
    }
    return ResultRecord{lines[0], lines[1], lines[2], lines[3], lines[4]};
}

} // namespace velmora
