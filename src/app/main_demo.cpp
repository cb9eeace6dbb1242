// vornik-demo: the same tool on a simulated mouse, with a window to plug it in and out.
#include "app/gui_app.h"
#include "app/program_info.h"
#include "device/sim/sim_hid_platform.h"

namespace {

constexpr const char* kUsage =
    "usage: vornik-demo [options]\n"
    "\n"
    "vornik-config on a simulated mouse, with a window to plug the mouse in and out and to switch\n"
    "its faults on; no hardware is needed.\n"
    "\n"
    "Options:\n"
    "  -h, --help  show this text\n"
    "  --version   show the version\n"
    "\n"
    "Qt's own options, such as -platform NAME, are passed on to Qt.\n";

}  // namespace

int main(int argc, char** argv) {
    if (auto code = vornik::answerInfoOption(argc, argv, "vornik-demo", kUsage)) return *code;
    auto platform = std::make_unique<vornik::SimHidPlatform>();
    vornik::SimHidPlatform* simulator = platform.get();
    vornik::plugOtherDevices(*simulator);
    return vornik::runGui(argc, argv, std::move(platform), simulator);
}
