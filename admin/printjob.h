#pragma once

#include <QPageLayout>

#include <functional>

class QPrinter;

namespace korveladmin {

// Every printout goes one way: the teacher chooses a printer in the print
// dialog (cancelling prints nothing), the pages are drawn under the busy
// pointer, and a printer that could not take the job is said.
class PrintJob
{
public:
    // `paint` draws the printout; false when the printer could not be used.
    // The print dialog offers `orientation` first.
    static void run(const std::function<bool(QPrinter&)>& paint,
                    QPageLayout::Orientation orientation = QPageLayout::Portrait);
};

} // namespace korveladmin
