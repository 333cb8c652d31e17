#pragma once

#include <QWidget>

namespace velmora {

// A thick ring around a map marker, in two colours so that it shows on every
// map colour. Clicks go through it.
class MarkerRing : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Margin = 8; // pixels beyond the marker on every side: the hotspot at full size

    enum class Look {
        PointedOut, // a round white and dark red ring: "here it is"
        Focus,      // a square black and yellow frame: where the keyboard is
    };

    explicit MarkerRing(Look look, QWidget* parent = nullptr);
    // Round a marker at `marker` on the ring's parent.
    void surround(const QRect& marker);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Look m_look;
};

} // namespace velmora
