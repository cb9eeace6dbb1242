#pragma once

#include <QAbstractSlider>
#include <QColor>
#include <QString>
#include <QWidget>
#include <optional>

namespace vornik {

// A horizontal slider drawn from the skin: the "Slider_Ruler" picture along its track and the
// "Slider_Thumb" picture at its value, over its background colour. The mouse does not move it
// by itself: it tells where it was pressed, dragged and released, and its owner sets the value,
// so that the owner's ruler decides where the thumb lands.
class SkinSlider : public QAbstractSlider {
    Q_OBJECT

  public:
    // The track is this wide, as the rulers that read a release position assume.
    static constexpr int kTrackWidth = 225;

    SkinSlider(const QString& objectName, QWidget* parent);

    // Where the thumb's left edge stands for `value`, in pixels from the slider's left edge.
    int thumbLeft(int value) const;

  signals:
    // A press and each move while pressed, in pixels from the left edge.
    void draggedTo(int x);
    void releasedAt(int x);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool m_dragging = false;
};

// A colour swatch inside a frame image: paints its colour inset from its edges, or nothing
// while it has none.
class ColourSwatch : public QWidget {
    Q_OBJECT

  public:
    ColourSwatch(const QString& objectName, QWidget* parent);

    void setColour(std::optional<QColor> colour);
    std::optional<QColor> colour() const { return m_colour; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::optional<QColor> m_colour;
};

}  // namespace vornik
