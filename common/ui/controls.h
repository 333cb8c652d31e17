#pragma once

#include <QString>

class QAbstractItemView;
class QFrame;
class QIcon;
class QLabel;
class QListWidget;
class QPixmap;
class QPushButton;
class QWidget;

namespace velmora {

// The controls both programs' windows are built from, each named as the
// window's code and tests know it.
class Controls
{
public:
    static QLabel* label(const QString& name, const QString& text, QWidget* parent);
    static QPushButton* button(const QString& name, const QString& text, QWidget* parent);
    // A button with one of the program's pictures.
    static QPushButton* pictureButton(const QString& name, const QString& text, const QIcon& picture,
                                      QWidget* parent);
    // The decoration beside a window's contents: Frame1 holding the picture Image1.
    static QFrame* decoration(const QPixmap& picture, QWidget* parent);
    // A list or grid that takes the focus marks no entry until one is picked:
    // a focus frame on an entry that is not selected looks like a selection.
    // So the first Down picks the first entry, and a click beside the entries
    // keeps what was picked.
    static void markOnlySelected(QAbstractItemView* view);
    // Wide enough for `characters` of typical text in the widget's font, with
    // room for its frame and a scroll bar.
    // A list of names: one too long for the list is cut off with "..." instead
    // of making the list scroll sideways, and its tooltip shows it whole.
    static void fitNames(QListWidget* list);
    static int textWidth(const QWidget* widget, int characters);
};

} // namespace velmora
