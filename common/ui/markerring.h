#pragma once

#include <QWidget>

namespace velmora {

// A thick ring around a map marker, to point a place out: white round a
// dark red, so that it shows on every map colour. Clicks go through it.
class MarkerRing : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Margin = 8; // pixels beyond the marker on every side: the hotspot at full size

    explicit MarkerRing(QWidget* parent = nullptr);
    // Round the marker, which is a sibling of the ring.
    void surround(const QWidget* marker);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace velmora
