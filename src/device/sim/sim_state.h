#pragma once

#include <filesystem>
#include <string>

#include "device/sim/sim_mouse.h"

namespace vornik {

// The simulated mouse's memory kept in a file between runs. A missing file leaves the memory
// as it is (a fresh mouse); a file of any size but 2048 bytes is refused rather than
// overwritten later.
bool loadSimState(const std::filesystem::path& path, SimMouse& mouse, std::string& error);
bool saveSimState(const std::filesystem::path& path, const SimMouse& mouse, std::string& error);

}  // namespace vornik
