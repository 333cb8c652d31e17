#pragma once

#include <functional>

namespace velmora {

// "Afsluiten": the program ends at once, asking no window whether it may close.
class ProgramExit
{
public:
    static void now();
    // Tests observe the ending instead; an empty handler restores the real one.
    static void setHandler(std::function<void()> handler);
};

} // namespace velmora
