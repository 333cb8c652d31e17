#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace velmora {

// The percentage of a test, truncated to one decimal, never stored.
class Score
{
public:
    // In tenths of a percent; empty when nothing was asked.
    static std::optional<long long> tenths(int goed, int gedaan);
    // "85", "66,6" (with the locale's decimal separator); empty when nothing was asked.
    static QString text(int goed, int gedaan, const QLocale& locale = QLocale());
};

} // namespace velmora
