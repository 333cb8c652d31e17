#pragma once

#include <QByteArray>
#include <QStringView>

#include <optional>

namespace velmora {

// A number on a line of its own: one space, the digits, one space, CR LF.
class NumberForm
{
public:
    static QByteArray line(int value);
    // The whole text, blanks around it ignored, as a 16-bit number; empty
    // optional when it holds anything else.
    static std::optional<int> parse(QStringView text);
    // The number the text starts with, leading blanks skipped; 0 when none.
    static int leadingValue(QStringView text);
};

} // namespace velmora
