#include "numberform.h"

#include "textlines.h"

#include <limits>

namespace velmora {

QByteArray NumberForm::line(int value)
{
    QByteArray line = ' ' + QByteArray::number(value) + ' ';
    return line.append(TextLines::LineEnd);
}

std::optional<int> NumberForm::parse(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    qsizetype i = 0;
    const bool negative = !trimmed.isEmpty() && trimmed[0] == u'-';
    if (!trimmed.isEmpty() && (trimmed[0] == u'-' || trimmed[0] == u'+'))
        ++i;
    if (i == trimmed.size())
        return std::nullopt;
    int value = 0;
    for (; i < trimmed.size(); ++i) {
        const char16_t c = trimmed[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > std::numeric_limits<qint16>::max() + 1)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return value;
}

int NumberForm::leadingValue(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    long long value = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9' && value <= std::numeric_limits<int>::max())
        value = value * 10 + (text[i++].unicode() - u'0');
    if (value > std::numeric_limits<int>::max())
        value = std::numeric_limits<int>::max();
    return static_cast<int>(negative ? -value : value);
}

} // namespace velmora
