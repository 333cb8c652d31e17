#pragma once

#include "frmsplash.h"
#include "programexit.h"
#include "testfolder.h"

#include <QImage>
#include <QTest>
#include <QTimer>

// While alive: the splash closes through its own timer as soon as it shows
// (at 0 ms it may close while still being shown; start-up must go on all the
// same), and "Afsluiten" is counted instead of ending the test program.
struct Harness
{
    int exits = 0;
    Harness()
    {
        korvel::frmSplash::setShownHook(
            [](korvel::frmSplash& splash) { splash.findChild<QTimer*>(QStringLiteral("Timer1"))->start(0); });
        velmora::ProgramExit::setHandler([this] { ++exits; });
    }
    ~Harness()
    {
        korvel::frmSplash::setShownHook({});
        velmora::ProgramExit::setHandler({});
    }
};

// A map in a test folder: a bitmap of 600 x 400 pixels (9000 x 6000 twips) and the map file naming it.
inline void writeDemoMap(const TestFolder& folder, const QByteArray& items, const char* krt = "nederland.krt")
{
    QImage image(600, 400, QImage::Format_RGB888);
    image.fill(QColor(200, 230, 255));
    QVERIFY(image.save(folder.file(QStringLiteral("demo.bmp")), "BMP"));
    folder.write(QString::fromLatin1(krt), "demo.bmp\r\n" + items);
}
