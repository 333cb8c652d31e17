#pragma once

#include <QImage>
#include <QWidget>

#include <optional>

namespace velmora {

struct DataError;

// The map picture at its natural size (one pixel is 15 twips); parent of the
// item markers, hotspots and labels. Reports presses and pointer movement on
// the picture itself and over its labels, in twips.
class MapPicture : public QWidget
{
    Q_OBJECT
public:
    explicit MapPicture(QWidget* parent = nullptr);

    // Loads a picture of the program folder by its bare name, sizing itself to
    // it; on failure keeps what it had and says why.
    std::optional<DataError> load(const QString& pictureName);
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

    int widthTwips() const;
    int heightTwips() const;

Q_SIGNALS:
    void pressed(int xTwips, int yTwips, Qt::MouseButton button);
    void moved(int xTwips, int yTwips);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
};

} // namespace velmora
