#include "printjob.h"

#include "busypointer.h"
#include "dialogs.h"

#include <QPrinter>

using namespace velmora;

namespace korveladmin {

void PrintJob::run(const std::function<bool(QPrinter&)>& paint, QPageLayout::Orientation orientation)
{
    const std::unique_ptr<QPrinter> printer = Dialogs::current().choosePrinter(orientation);
    if (!printer)
        return;
    BusyPointer busy;
    if (paint(*printer))
        return;
    busy.release();
    Dialogs::notify(QStringLiteral("Het afdrukken is mislukt. Controleer de printer en probeer het opnieuw."),
                    MessageIcon::Critical);
}

} // namespace korveladmin
