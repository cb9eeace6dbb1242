#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vornik {

// The value of an environment variable, nullopt when it is not set. Injected so that the
// folder rules are tested without touching the process environment.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

// Whose folder conventions apply; the platform library passes the one it was built for.
enum class FolderConvention : std::uint8_t { Xdg, Windows };

// The program's folder in the user's data folder, with a trailing separator:
// $XDG_DATA_HOME/vornik/ (default ~/.local/share/vornik/), or %APPDATA%\Vornik\. nullopt when
// the environment names no home or application-data folder. A relative XDG value is ignored,
// as the XDG rules ask.
std::optional<std::string> userDataFolder(const EnvironmentLookup& environment,
                                          FolderConvention convention);

// The same in the user's state folder: $XDG_STATE_HOME/vornik/ (default ~/.local/state/vornik/),
// or %LOCALAPPDATA%\Vornik\.
std::optional<std::string> userStateFolder(const EnvironmentLookup& environment,
                                           FolderConvention convention);

}  // namespace vornik
