// vornik-config: the configuration tool on the system's HID devices.
#include "app/gui_app.h"
#include "app/program_info.h"
#include "device/native_platform.h"

namespace {

constexpr const char* kUsage =
    "usage: vornik-config [options]\n"
    "\n"
    "The configuration tool for USB gaming mice built on the Vornik mouse controller: it finds\n"
    "the mouse among the HID devices, reads its configuration and writes it back verified.\n"
    "\n"
    "Options:\n"
    "  -h, --help  show this text\n"
    "  --version   show the version\n"
    "\n"
    "Qt's own options, such as -platform NAME, are passed on to Qt.\n";

}  // namespace

int main(int argc, char** argv) {
    if (auto code = vornik::answerInfoOption(argc, argv, "vornik-config", kUsage)) return *code;
    return vornik::runGui(argc, argv, vornik::createNativeHidPlatform());
}
