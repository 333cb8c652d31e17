#include "lockwait.h"

#include "busypointer.h"
#include "filelock.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <memory>

namespace velmora {

void LockWait::install()
{
    FileLock::setWaitHandler([busy = std::shared_ptr<BusyPointer>()](bool waiting) mutable {
        if (!waiting) {
            busy.reset();
            return;
        }
        if (!busy)
            busy = std::make_shared<BusyPointer>();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
}

} // namespace velmora
