#include "score.h"

#include <cmath>

namespace velmora {

std::optional<long long> Score::tenths(int goed, int gedaan)
{
    if (gedaan == 0)
        return std::nullopt;
    return static_cast<long long>(std::floor(double(goed) / double(gedaan) * 1000.0));
}

QString Score::text(int goed, int gedaan, const QLocale& locale)
{
    const auto t = tenths(goed, gedaan);
    if (!t)
        return {};
    const bool whole = *t % 10 == 0;
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(double(*t) / 10.0, 'f', whole ? 0 : 1);
}

} // namespace velmora
