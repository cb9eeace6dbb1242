#pragma once

#include <QObject>
#include <QPointer>
#include <QWindow>
#include <string>

#include "device/clock.h"
#include "model/input_capture.h"

class QWidget;

namespace vornik {

// Where neither desktop source works (Wayland, for one): the keys and buttons of the program's
// own window, seen by an event filter on its native window before its widgets get them. Input
// into other windows is not seen, which coversDesktop() tells the GUI so it can say so.
class WindowInputCapture final : public QObject, public InputCapture {
  public:
    WindowInputCapture(Clock& clock, QWidget& window);
    ~WindowInputCapture() override;

    // False when the window has no native window yet (it has never been shown).
    bool start(InputSink& sink) override;
    void stop() override;
    bool coversDesktop() const override { return false; }
    std::string error() const override { return m_error; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Clock& m_clock;
    QWidget& m_window;
    QPointer<QWindow> m_filtered;
    InputSink* m_sink = nullptr;
    KeyStateCounter m_keys;
    std::string m_error;
};

}  // namespace vornik
