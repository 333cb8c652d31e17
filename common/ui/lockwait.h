#pragma once

namespace velmora {

// While a data file's lock is awaited (another computer is writing it), the
// window shows the busy pointer and keeps painting; clicks and keys wait
// until the write is done or refused.
class LockWait
{
public:
    static void install();
};

} // namespace velmora
