// vornik-demo: the same tool on a simulated mouse, with a window to plug it in and out.
#include "app/gui_app.h"
#include "app/program_info.h"
#include "device/sim/sim_hid_platform.h"

int main(int argc, char** argv) {
    if (auto code =
            vornik::answerInfoOption(argc, argv, "vornik-demo",
                                     "vornik-config on a simulated mouse, with a window to "
                                     "plug the mouse in and out and to\n"
                                     "switch its faults on; no hardware is needed.\n",
                                     "  --memory FILE  start with the mouse plugged in, its "
                                     "memory kept in FILE\n"))
        return *code;
    auto platform = std::make_unique<vornik::SimHidPlatform>();
    vornik::SimHidPlatform* simulator = platform.get();
    vornik::plugOtherDevices(*simulator);
    return vornik::runGui(argc, argv, std::move(platform), simulator);
}
