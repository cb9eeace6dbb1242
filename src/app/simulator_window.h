#pragma once

#include <QWidget>
#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;

namespace vornik {

class Clock;
class SimHidPlatform;
class SimMouse;

// The demo's control window: plugs and unplugs the simulated mouse and another HID device,
// and switches the mouse's faults on and off.
class SimulatorWindow : public QWidget {
    Q_OBJECT

  public:
    SimulatorWindow(SimHidPlatform& platform, Clock& clock);
    ~SimulatorWindow() override;

    void plugMouse();
    void unplugMouse();

  private:
    void applyFaults();
    void refresh();

    SimHidPlatform& m_platform;
    Clock& m_clock;
    std::shared_ptr<SimMouse> m_mouse;
    bool m_otherPlugged = true;
    QPushButton* m_mouseButton;
    QPushButton* m_otherButton;
    QLabel* m_state;
    std::vector<std::pair<QCheckBox*, const char*>> m_faults;
};

}  // namespace vornik
