#pragma once

#include <QColor>
#include <QWidget>

class QPainter;

namespace velmora {

// A filled shape: a legend swatch or a puddle; map markers are drawn the same
// way by their picture. Everything outside the shape (and between hatch
// lines) shows what lies below.
class MapShape : public QWidget
{
    Q_OBJECT
public:
    enum class Form { Square, Circle, Oval };
    struct Look
    {
        Form form = Form::Square;
        QColor fill = Qt::red;
        QColor outline = Qt::black;
        // A diagonal cross-hatch in the fill colour instead of a solid fill.
        bool hatched = false;
    };

    // Draws `look` filling `area` of the painter's device.
    static void draw(QPainter& painter, const QRect& area, const Look& look);

    explicit MapShape(QWidget* parent = nullptr);

    const Look& look() const { return m_look; }
    void setLook(const Look& look);
    Form form() const { return m_look.form; }
    void setForm(Form form);
    QColor fillColor() const { return m_look.fill; }
    void setFillColor(const QColor& color);
    void setOutlineColor(const QColor& color);
    bool hatched() const { return m_look.hatched; }
    void setHatched(bool hatched);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Look m_look;
};

} // namespace velmora
