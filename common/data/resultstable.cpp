#include "resultstable.h"

#include "ansitext.h"

namespace velmora {

ResultsTable::ResultsTable(QByteArray data) : m_data(std::move(data))
{
    const char* begin = m_data.constData();
    const qsizetype size = m_data.size();
    // As TextLines::split: a last line without its ending counts, the ending of the last line starts none.
    if (size > 0)
        m_recordStarts.append(0);
    int line = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (begin[i] == '\n' && ++line == 5) {
            line = 0;
            if (i + 1 < size)
                m_recordStarts.append(quint32(i + 1));
        }
    }
}

ResultRecord ResultsTable::record(qsizetype index) const
{
    const qsizetype end =
        index + 1 < m_recordStarts.size() ? qsizetype(m_recordStarts[index + 1]) : m_data.size();
    QByteArrayView rest = QByteArrayView(m_data).sliced(m_recordStarts[index], end - m_recordStarts[index]);
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
