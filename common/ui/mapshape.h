#pragma once

#include <QColor>
#include <QWidget>

namespace velmora {

// A filled shape: a map marker, a legend swatch or a puddle. Everything
// outside the shape (and between hatch lines) shows what lies below.
class MapShape : public QWidget
{
    Q_OBJECT
public:
    enum class Form { Square, Circle, Oval };

    explicit MapShape(QWidget* parent = nullptr);

    Form form() const { return m_form; }
    void setForm(Form form);
    QColor fillColor() const { return m_fill; }
    void setFillColor(const QColor& color);
    void setOutlineColor(const QColor& color);
    // A diagonal cross-hatch in the fill colour instead of a solid fill.
    bool hatched() const { return m_hatched; }
    void setHatched(bool hatched);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Form m_form = Form::Square;
    QColor m_fill = Qt::red;
    QColor m_outline = Qt::black;
    bool m_hatched = false;
};

} // namespace velmora
