#include "resultrecord.h"

#include "numberform.h"

namespace velmora {

int ResultRecord::gedaan() const
{
    return NumberForm::leadingValue(gedaanLine);
}

int ResultRecord::goed() const
{
    return NumberForm::leadingValue(goedLine);
}

std::optional<int> ResultRecord::niveauValue() const
{
    return NumberForm::parse(niveauLine);
}

std::optional<int> ResultRecord::gedaanValue() const
{
    return NumberForm::parse(gedaanLine);
}

std::optional<int> ResultRecord::goedValue() const
{
    return NumberForm::parse(goedLine);
}

} // namespace velmora
