#pragma once

#include "mapshape.h"
#include "plaats.h"

#include <QCursor>
#include <QFontMetrics>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>

class QLabel;

namespace velmora {

class HotSpot;
class MapMarker;
class MapPicture;

// How one window draws its map items.
struct MapDrawingStyle
{
    QSize hotSpot{495, 495};       // twips; the editor's is 480 x 450
    bool labels = true;            // an item label per item (not in the editor)
    bool keepLabelsInside = false; // the quiz screen pulls labels into the picture
    bool labelBetween = false;     // the print view stacks the label between marker and hotspot
    bool hatchWater = false;       // the print view hatches water markers
};

// The pieces of every item on one picture: marker shpPlaatsSml_i (drawn by
// the picture), hotspot HotSpot_i and label lblPlaats_i, children of the
// picture, created and destroyed per item index. A label that is shown only under the pointer is
// made the first time it is asked for: most never are, and a map of 500
// items opens a third quicker without them. Markers and hotspots are placed in map twips and
// follow the picture's display scale; a label (or another box hung below an
// item) keeps its size on the screen, and its twips are those of the picture
// as shown.
class MapDrawing : public QObject
{
    Q_OBJECT
public:
    static constexpr int HotSpotOffset = 120;
    // Small hands on small screens still hit a small island.
    static constexpr int LeastHotSpotPixels = 24;
    // A marker shown smaller than this is hard to see at all.
    static constexpr int LeastMarkerPixels = 9;

    // The look of a marker of `kind`, or of its legend swatch; water is
    // hatched where the window hatches water.
    static MapShape::Look look(ItemKind kind, bool hatchWater, bool swatch = false);

    MapDrawing(MapPicture* picture, const MapDrawingStyle& style, QObject* parent = nullptr);

    // Creates, places and stacks the pieces of item `index` (replacing any).
    void add(int index, const Plaats& item);
    // Moves and re-looks existing pieces without restacking them.
    void update(int index, const Plaats& item);
    void remove(int index);
    void clear();
    // Labels above every marker and hotspot, in index order.
    void raiseLabels();
    // Shows the picture and places every item at this display scale; false
    // when they were so already.
    bool setScale(qreal scale);

    MapMarker* marker(int index) const;
    HotSpot* hotSpot(int index) const;
    // Made hidden when first asked for, where the style has labels.
    QLabel* label(int index) const;
    QString name(int index) const;
    bool has(int index) const { return marker(index) != nullptr; }
    int highestIndex() const { return int(m_items.size()) - 1; }

    // Shows the pieces of an item or hides them (hidden pieces take no clicks).
    void setItemVisible(int index, bool visible);
    void hideLabels();
    // The pointer moved over the picture or a label: every label goes, except
    // one whose own hotspot still holds the pointer. A label hangs over the
    // bottom of its hotspot; hiding it there would uncover the hotspot, which
    // shows it again at once.
    void hideLabelsAwayFrom(int xTwips, int yTwips);
    void showLabel(int index);
    void setHotSpotCursor(const QCursor& cursor);

    // Places a box of `size` twips on the screen (an editor's panel) below
    // the marker at (left, top), as Twips::placeBelow says.
    void placeBelow(QWidget* box, int left, int top, QSize size, bool keepInside) const;

Q_SIGNALS:
    void hotSpotClicked(int index, Qt::MouseButton button, bool secondOfDouble);
    void hotSpotMoved(int index);

private:
    struct Pieces
    {
        QPointer<MapMarker> marker;
        QPointer<HotSpot> hotSpot;
        mutable QPointer<QLabel> label;
        Plaats item;
    };
    void place(int index, const Plaats& item);
    QLabel* newLabel(int index) const;
    void placeLabel(int index) const;

    MapPicture* m_picture;
    MapDrawingStyle m_style;
    QList<Pieces> m_items; // index 0 unused, as in the item table
    QCursor m_hotSpotCursor;
    QFontMetrics m_labelMetrics;
};

} // namespace velmora
