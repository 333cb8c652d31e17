#include "busypointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace velmora {

BusyPointer::BusyPointer()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyPointer::~BusyPointer()
{
    release();
}

void BusyPointer::release()
{
    if (!m_active)
        return;
    m_active = false;
    QGuiApplication::restoreOverrideCursor();
}

} // namespace velmora
