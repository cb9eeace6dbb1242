#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/vornikctl.h"
#include "device/native_platform.h"

namespace {

// The directory of the running executable, with its trailing separator.
std::string programDirectory(const char* argv0) {
    std::error_code ec;
    auto path = std::filesystem::canonical("/proc/self/exe", ec);
    if (ec) path = std::filesystem::absolute(argv0, ec);
    return (path.parent_path() / "").string();
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    auto clock = vornik::createNativeClock();
    vornik::CtlEnvironment env{[] { return vornik::createNativeHidPlatform(); }, *clock, std::cout,
                               std::cerr, programDirectory(argc > 0 ? argv[0] : "")};
    return vornik::runVornikctl(args, env);
}
