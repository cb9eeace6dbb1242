#pragma once

#include <QPainterPath>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "device/protocol.h"

namespace vornik {

// The small always-on-top window shown over the main window while the mouse is read or
// written: a spinning animation and, during a block transfer, how far it has got (a count and
// a bar: no words, so that it reads the same in every language).
class LoadingWindow : public QWidget, public TransferObserver {
    Q_OBJECT

  public:
    static constexpr int kWidth = 206;
    static constexpr int kHeight = 196;

    // Centres itself over `mainWindow`, 40 pixels below centre, starts its animation and then
    // runs `created` (which switches the device timer on).
    LoadingWindow(QWidget* mainWindow, const std::function<void()>& created);

    // Re-centres exactly over the main window, shows itself and lets it paint.
    void showCentred();
    void hideAndReset();

    void showLoadingWindow() override { showCentred(); }
    void transferProgress(std::size_t chunksDone, std::size_t chunksTotal) override;

    std::size_t chunksDone() const { return m_done; }
    std::size_t chunksTotal() const { return m_total; }
    bool animating() const { return m_animation.isActive(); }

    // Where the window system cannot show translucent pixels (X11 without a compositing
    // manager) the see-through corners would be black: the window is then cut to its card by
    // a mask. Asked of the window system each time the window shows.
    void fitToWindowSystem(bool drawsTranslucency);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void centre(int offsetY);
    QPainterPath card() const;

    QWidget* m_main;
    QTimer m_animation;
    int m_frame = 0;
    std::size_t m_done = 0;
    std::size_t m_total = 0;
};

}  // namespace vornik
