#pragma once

#include <QWidget>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

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
    // The mouse keeps its memory in `file`: read now (created with the built-in image when
    // missing), written back after every block write; the mouse is plugged in with it. False
    // with `error` when the file is not a mouse memory file or cannot be made.
    bool useMemoryFile(const std::filesystem::path& file, std::string& error);

  private:
    void applyFaults();
    void refresh();
    void saveMemory();

    SimHidPlatform& m_platform;
    Clock& m_clock;
    std::shared_ptr<SimMouse> m_mouse;
    std::optional<std::filesystem::path> m_memoryFile;
    std::string m_memoryError;  // the last failure to read or write the memory file
    bool m_otherPlugged = true;
    QPushButton* m_mouseButton;
    QPushButton* m_otherButton;
    QLabel* m_state;
    std::vector<std::pair<QCheckBox*, const char*>> m_faults;
};

}  // namespace vornik
