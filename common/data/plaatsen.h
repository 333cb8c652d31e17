#pragma once

#include "plaats.h"

#include <array>

namespace velmora {

// The table of the open map's items: indices 1 .. 500, index 0 never used.
class Plaatsen
{
public:
    static constexpr int Capacity = 500;

    Plaats& operator[](int index) { return m_items.at(static_cast<std::size_t>(index)); }
    const Plaats& operator[](int index) const { return m_items.at(static_cast<std::size_t>(index)); }

private:
    std::array<Plaats, Capacity + 1> m_items;
};

} // namespace velmora
