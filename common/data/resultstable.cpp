#include "resultstable.h"

#include "ansitext.h"

#include <algorithm>
#include <cstring>

namespace velmora {

ResultsTable::ResultsTable(QByteArray data) : m_data(std::move(data))
{
    const char* begin = m_data.constData();
    const char* end = begin + m_data.size();
    m_lineStarts.reserve(std::count(begin, end, '\n') + 1);
    // As TextLines::split: a last line without its ending counts, the ending of the last line starts none.
    for (const char* start = begin; start < end;) {
        m_lineStarts.append(start - begin);
        const void* newline = std::memchr(start, '\n', std::size_t(end - start));
        start = newline ? static_cast<const char*>(newline) + 1 : end;
    }
}

QByteArrayView ResultsTable::line(qsizetype index) const
{
    if (index >= m_lineStarts.size())
        return {};
    const qint64 start = m_lineStarts[index];
    qint64 stop = index + 1 < m_lineStarts.size() ? m_lineStarts[index + 1] : m_data.size();
    if (stop > start && m_data[stop - 1] == '\n') {
        --stop;
        if (stop > start && m_data[stop - 1] == '\r')
            --stop;
    }
    return QByteArrayView(m_data).sliced(start, stop - start);
}

ResultRecord ResultsTable::record(qsizetype index) const
{
    const qsizetype first = index * 5;
    return ResultRecord{AnsiText::decode(line(first)), AnsiText::decode(line(first + 1)),
                        AnsiText::decode(line(first + 2)), AnsiText::decode(line(first + 3)),
                        AnsiText::decode(line(first + 4))};
}

} // namespace velmora
