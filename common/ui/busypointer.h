#pragma once

namespace velmora {

// The hourglass while a database is rewritten; every way out restores the
// normal pointer.
class BusyPointer
{
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

    // Back to the normal pointer before the guard ends, e.g. when a question is cancelled.
    void release();

private:
    bool m_active = true;
};

} // namespace velmora
