#include "programexit.h"

#include <cstdlib>

namespace velmora {
namespace {

std::function<void()>& handler()
{
    static std::function<void()> h;
    return h;
}

} // namespace

void ProgramExit::now()
{
    if (handler()) {
        handler()();
        return;
    }
    // Every data file is closed after each operation, so nothing is left to flush.
    std::_Exit(0);
}

void ProgramExit::setHandler(std::function<void()> h)
{
    handler() = std::move(h);
}

} // namespace velmora
