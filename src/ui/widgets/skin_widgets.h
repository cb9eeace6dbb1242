#pragma once

#include <QColor>
#include <QLabel>
#include <QString>

namespace vornik {

// An image control showing one skin picture, looked up by name. The current picture's name is
// kept (and exposed as the "skin" property) so that state can be read back.
class SkinImage : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString skin READ skin)

  public:
    explicit SkinImage(const QString& objectName, QWidget* parent);

    // Shows the named picture and takes its size.
    void setSkin(const QString& name);
    QString skin() const { return m_skin; }

  signals:
    void pressed();
    void doubleClicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QString m_skin;
};

// The transparent text label of a skinned button, laid over its image; it takes the mouse.
class ButtonLabel : public QLabel {
    Q_OBJECT

  public:
    explicit ButtonLabel(const QString& objectName, QWidget* parent);

    // Lays the label over `image`, with the image's position and size.
    void placeOver(const QWidget* image);

  signals:
    void entered();
    void left();
    void clicked();
    void doubleClicked();

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    bool m_pressed = false;
};

// A pop-up panel: the background its palette gives (the layout's), inside a one-pixel border.
class FramedPanel : public QWidget {
  public:
    FramedPanel(const QString& objectName, QWidget* parent, const QColor& back,
                const QColor& border);
    void setBorder(const QColor& colour);
    QColor border() const { return m_border; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor m_border;
};

// A transparent full-page label that, while visible, takes the clicks meant for what lies
// beneath it.
class InputBlocker : public QLabel {
    Q_OBJECT

  public:
    explicit InputBlocker(const QString& objectName, QWidget* parent);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace vornik
