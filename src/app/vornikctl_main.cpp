#include <iostream>
#include <string>
#include <vector>

#include "app/vornikctl.h"
#include "device/native_platform.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    auto clock = vornik::createNativeClock();
    vornik::CtlEnvironment env{[] { return vornik::createNativeHidPlatform(); }, *clock, std::cout,
                               std::cerr, vornik::programDirectory()};
    return vornik::runVornikctl(args, env);
}
