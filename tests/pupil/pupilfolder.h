#pragma once

#include "frmsplash.h"
#include "programexit.h"
#include "testfolder.h"

#include <QAbstractButton>
#include <QByteArray>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <utility>

// Byte-exact databases and small window helpers for the pupil program's tests.
namespace pupilfolder {

inline const QByteArray PupilHeader = "Leerlingendatabase\r\n 2 \r\nId\r\n 5 \r\nNaam\r\n 50 \r\n";
inline const QByteArray MapHeader = "Kaarten\r\n 2 \r\nKaartnaam\r\n 30 \r\nKaartbestand\r\n 50 \r\n";

inline QByteArray pupils(const QList<QByteArray>& names)
{
    QByteArray bytes = PupilHeader;
    for (const QByteArray& name : names)
        bytes += "     " + name + "\r\n";
    return bytes;
}

// Each map as (name, file field); the name is padded to 30 as the register writes it.
inline QByteArray maps(const QList<std::pair<QByteArray, QByteArray>>& entries)
{
    QByteArray bytes = MapHeader;
    for (const auto& [name, file] : entries)
        bytes += name.leftJustified(30, ' ', true) + file + "\r\n";
    return bytes;
}

inline QAbstractButton* button(QWidget* window, const char* name)
{
    auto* found = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no button %s", name);
    return found;
}

inline void click(QWidget* window, const char* name)
{
    QTest::mouseClick(button(window, name), Qt::LeftButton);
}

inline QListWidget* list(QWidget* window, const char* name)
{
    return window->findChild<QListWidget*>(QString::fromLatin1(name));
}

inline QPoint rowCentre(QListWidget* list, int row)
{
    return list->visualItemRect(list->item(row)).center();
}

inline void select(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, row));
}

// A real double click: the first click comes as a click of its own.
inline void doubleClick(QWidget* widget, QPoint at)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
}

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
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;
};

} // namespace pupilfolder
