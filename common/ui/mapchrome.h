#pragma once

class QLabel;
class QPushButton;
class QWidget;

namespace velmora {

class MapPicture;

// What the map screens (the pupil's map and the editor) show around the map:
// the frame Frame1 at the top holding the status line lblStatus, the picture
// Picture1 below it and "Sluiten" (cmdClose), which the window connects.
struct MapChrome
{
    MapPicture* picture;
    QPushButton* close;

    // `status` is the window's own status line, in its own font; it goes into the frame.
    static MapChrome build(QWidget* window, QLabel* status);
};

} // namespace velmora
