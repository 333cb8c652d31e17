#pragma once

#include <QImage>
#include <QWidget>

#include <optional>

namespace velmora {

struct DataError;
class MapMarker;

// The map picture; parent of the item markers, hotspots and labels, and the
// painter of the markers. Map
// positions are twips from its top-left corner at its natural size (one pixel
// is 15 twips). A map window on a screen too small for the picture shows it
// at a display scale below 1: the picture and every map position on it are
// shown smaller, and pointer positions are reported back in map twips.
class MapPicture : public QWidget
{
    Q_OBJECT
public:
    explicit MapPicture(QWidget* parent = nullptr);
    ~MapPicture() override;

    // Loads a picture of the program folder by its bare name, sizing itself to
    // it; on failure keeps what it had and says why.
    std::optional<DataError> load(const QString& pictureName);
    void setPicture(QImage picture);
    // The picture at its natural size, as decoded.
    const QImage& picture() const { return m_picture; }

    qreal scale() const { return m_scale; }
    // Sizes itself to the picture at `scale`; the caller places the pieces again.
    void setScale(qreal scale);
    // A piece of the map at `twips` on the picture, shown at the scale.
    void place(QWidget* piece, const QRect& twips) const;
    void place(MapMarker* marker, const QRect& twips) const;
    QRect toPixels(const QRectF& twips) const;
    QPoint toTwips(QPointF pixels) const;

    // Markers painted, in the order they came: a newer one lies above older ones.
    void addMarker(const MapMarker* marker);
    void removeMarker(const MapMarker* marker);

Q_SIGNALS:
    void pressed(int xTwips, int yTwips, Qt::MouseButton button);
    void moved(int xTwips, int yTwips);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Makes m_shown for the scale and the screen's pixel ratio.
    void prepareShown();
    // Only when the window came to a screen of another pixel ratio.
    void followScreen();

    QImage m_picture;
    qreal m_scale = 1;
    // What every paint copies from, made once per picture, scale and screen:
    // the picture itself at scale 1, else smoothed in 32-bit pixels to the
    // pixels it covers on the screen (the device's, so that a high-dpi screen
    // gets no second blur).
    QImage m_shown;
    QList<const MapMarker*> m_markers;
};

} // namespace velmora
