#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace velmora {

// Splits file contents into lines the way the data files are read: CR LF or a
// bare LF ends a line, a final line without an ending still counts, and the
// ending of the last line does not start an extra empty one.
class TextLines
{
public:
    static QList<QByteArrayView> split(QByteArrayView data);
    // The lines are views: the bytes must outlive them.
    static QList<QByteArrayView> split(QByteArray&&) = delete;
    static constexpr QByteArrayView LineEnd = "\r\n";
    // The UTF-8 byte-order mark some text editors put before the first line.
    static constexpr QByteArrayView Bom = "\xEF\xBB\xBF";
    static QByteArrayView withoutBom(QByteArrayView data)
    {
        return data.startsWith(Bom) ? data.sliced(Bom.size()) : data;
    }
};

} // namespace velmora
