#pragma once

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QWidget>

class QListWidget;

// Drives a window the way a person does: at the place on screen, so a control
// hidden under another one cannot be reached by a test either.
namespace drive {

// The named child; a missing one fails the test program at once.
template <typename T = QWidget> T* child(const QWidget& window, const char* name)
{
    auto* found = window.findChild<T*>(QLatin1StringView(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

// Shows the window and waits until it is on screen.
bool show(QWidget& window);

// Clicks at the centre of the named control; fails the test when another widget lies there.
void click(const QWidget& window, const char* name);
void click(QWidget* target);

// A real double click: the first click arrives as a click of its own.
void doubleClick(QWidget* widget, QPoint at);

void selectRow(QListWidget* list, int row);
void doubleClickRow(QListWidget* list, int row);

// Replaces the text of the named line edit, by typing or by Ctrl+V from the clipboard.
void type(const QWidget& window, const char* box, const QString& text);
void paste(const QWidget& window, const char* box, const QString& text);

} // namespace drive
