#pragma once

#include <QFont>
#include <QLabel>

namespace velmora {

// A label of fixed size that always shows its whole text: in its own font
// when the text fits, otherwise in the largest smaller size that fits, wrapped
// onto more lines where that lets the size stay larger.
class FittingLabel : public QLabel
{
    Q_OBJECT
public:
    static constexpr qreal SmallestPointSize = 6;

    explicit FittingLabel(const QFont& font, QWidget* parent = nullptr);

    void setFittedText(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool fits(const QFont& font, const QString& text) const;
    void fit();

    QFont m_font;
};

} // namespace velmora
