#include "device/sim/sim_state.h"

#include <algorithm>
#include <system_error>

#include "image/atomic_file.h"

namespace vornik {

bool loadSimState(const std::filesystem::path& path, SimMouse& mouse, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        if (!ec) return true;
        error = "cannot look at \"" + path.string() + "\": " + ec.message();
        return false;
    }
    std::uintmax_t size = 0;
    auto bytes = readFilePrefix(path, kSimMemorySize + 1, error, &size);
    if (!bytes) return false;
    if (size != kSimMemorySize) {
        error = "\"" + path.string() + "\" is not a mouse memory file (" + std::to_string(size) +
                " bytes, expected " + std::to_string(kSimMemorySize) + ")";
        return false;
    }
    std::copy(bytes->begin(), bytes->end(), mouse.memory().begin());
    return true;
}

bool saveSimState(const std::filesystem::path& path, const SimMouse& mouse, std::string& error) {
    return writeFileAtomically(path, mouse.memory(), error);
}

}  // namespace vornik
