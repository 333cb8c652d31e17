#include "printjob.h"

#include "busypointer.h"
#include "dialogs.h"

#include <QPrinter>

namespace korveladmin {

void PrintJob::run(const std::function<bool(QPrinter&)>& paint, QPageLayout::Orientation orientation)
{
    const std::unique_ptr<QPrinter> printer = velmora::Dialogs::current().choosePrinter(orientation);
    if (!printer)
        return;
    velmora::BusyPointer busy;
    if (paint(*printer))
        return;
    busy.release();
    velmora::Dialogs::notify(
        QStringLiteral("Het afdrukken is mislukt. Controleer de printer en probeer het opnieuw."),
        velmora::MessageIcon::Critical);
}

} // namespace korveladmin
