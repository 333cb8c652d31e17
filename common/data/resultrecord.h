#pragma once

#include <QString>

#include <optional>

namespace velmora {

// One finished test: five lines in the results file, kept as read.
struct ResultRecord
{
    QString naam;
    QString kaart;
    QString niveauLine;
    QString gedaanLine;
    QString goedLine;

    // The results window's reading: the leading number of the line.
    int gedaan() const;
    int goed() const;
    // The printout's reading: the whole line as a number, blanks ignored.
    std::optional<int> niveauValue() const;
    std::optional<int> gedaanValue() const;
    std::optional<int> goedValue() const;
};

} // namespace velmora
