#pragma once

#include <QWidget>

namespace velmora {

// An invisible area that takes the mouse for one map item: it reports clicks
// and pointer movement and paints nothing.
class HotSpot : public QWidget
{
    Q_OBJECT
public:
    explicit HotSpot(QWidget* parent = nullptr);

Q_SIGNALS:
    // One press and release inside; secondOfDouble when that press was the
    // second of a double-click, so that a window can choose to ignore it.
    void clicked(Qt::MouseButton button, bool secondOfDouble);
    void moved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent*) override {}

private:
    Qt::MouseButton m_pressed = Qt::NoButton;
    bool m_secondOfDouble = false;
};

} // namespace velmora
