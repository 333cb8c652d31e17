#pragma once

#include "testfolder.h"

#include <QByteArray>
#include <QImage>

// A small map in a test folder: a 24-bit bitmap of 600 x 400 pixels (9000 x
// 6000 twips) and the map file naming it.
inline void writeDemoMap(const TestFolder& folder, const QByteArray& krtName, const QByteArray& items,
                         const QByteArray& picture = "demo.bmp")
{
    QImage image(600, 400, QImage::Format_RGB888);
    image.fill(QColor(200, 230, 255));
    for (int y = 100; y < 350; ++y)
        for (int x = 80; x < 520; ++x)
            image.setPixelColor(x, y, QColor(170, 210, 140));
    if (!image.save(folder.file(QString::fromLatin1(picture)), "BMP"))
        qFatal("cannot write demo picture");
    folder.write(QString::fromLatin1(krtName), picture + "\r\n" + items);
}
