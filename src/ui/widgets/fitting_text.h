#pragma once

#include <QComboBox>
#include <QString>

class QLabel;

namespace vornik {

// A choice list whose closed box shows as much of a long item as tells it apart: the words
// every item starts with are left out first, then the rest is cut with an ellipsis. The whole
// item is its tooltip then.
class FittingComboBox : public QComboBox {
    Q_OBJECT

  public:
    explicit FittingComboBox(QWidget* parent = nullptr);

    // What the closed box shows for the current item.
    QString shownText() const;

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    int textRoom() const;
    QString commonLeadingWords() const;
};

// Fits a one-line caption into `width`: its font shrinks a point at a time, no smaller than
// `smallestPointSize`, and a caption that still does not fit wraps. The label keeps the size
// its font had before the first fit as where each later fit starts.
void fitCaption(QLabel& label, int width, qreal smallestPointSize);

}  // namespace vornik
