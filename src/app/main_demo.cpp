// vornik-demo: the same tool on a simulated mouse, with a window to plug it in and out.
#include "app/gui_app.h"
#include "device/sim/sim_hid_platform.h"

int main(int argc, char** argv) {
    auto platform = std::make_unique<vornik::SimHidPlatform>();
    vornik::SimHidPlatform* simulator = platform.get();
    vornik::plugOtherDevices(*simulator);
    return vornik::runGui(argc, argv, std::move(platform), simulator);
}
