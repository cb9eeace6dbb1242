#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/pointer_settings.h"

namespace vornik {

// Runs a program and collects what it printed. A seam so that the desktop settings are
// tested without the desktop.
struct CommandResult {
    bool started = false;  // false: the program could not be run (not installed)
    int exitCode = -1;     // -1 when it did not exit normally (killed, timed out)
    std::string output;
    std::string errors;
};
class CommandRunner {
  public:
    virtual ~CommandRunner() = default;
    // argv[0] is looked up on PATH; no shell is involved.
    virtual CommandResult run(const std::vector<std::string>& argv) = 0;
};

// The real runner (POSIX spawn, pipes, a time limit); not in the Windows build.
std::unique_ptr<CommandRunner> createProcessRunner();

inline constexpr const char* kGnomeMouseSchema = "org.gnome.desktop.peripherals.mouse";

// The pointer settings of a GNOME desktop, through the `gsettings` command: speed -1.0..1.0
// in eleven steps of 0.2 for the eleven speed positions, accel-profile "flat" for precision
// off and "adaptive" for on ("default" reads as on: the desktop's default accelerates), and
// double-click in milliseconds. The wheel's line count has no desktop setting; that control
// is unavailable. Without gsettings, without the schema, or when GSettings keeps nothing
// (its memory backend), every control is unavailable with a hint saying why.
class GnomePointerSettingsStore : public PointerSettingsStore {
  public:
    explicit GnomePointerSettingsStore(std::unique_ptr<CommandRunner> runner);

    PointerControlStates controls() override;
    PointerReading read() override;
    bool write(const PointerWrite& changes, std::string& error) override;

  private:
    const PointerControlStates& probe();
    std::optional<std::string> get(const char* key);
    bool set(const char* key, const std::string& value, std::string& errors);
    bool available(PointerControl control);

    std::unique_ptr<CommandRunner> m_runner;
    std::optional<PointerControlStates> m_controls;
};

// The GNOME speed of a position 1..11 and back (nearest position, clamped).
double gnomeSpeedOfPosition(int position);
int positionOfGnomeSpeed(double speed);

}  // namespace vornik
