#pragma once

#include <QFont>

namespace velmora {

// The fonts the windows and printouts name, with metric-compatible stand-ins
// where the named one is not installed.
class Fonts
{
public:
    static QFont msSansSerif(qreal pointSize, bool bold = false);
    static QFont timesNewRoman(qreal pointSize, bool bold = false);
    static QFont arial(qreal pointSize, bool bold = false);
};

} // namespace velmora
