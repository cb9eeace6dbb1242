// vornik-config: the configuration tool on the system's HID devices.
#include "app/gui_app.h"
#include "app/program_info.h"
#include "device/native_platform.h"

int main(int argc, char** argv) {
    if (auto code = vornik::answerInfoOption(
            argc, argv, "vornik-config",
            "The configuration tool for USB gaming mice built on the Vornik mouse controller: it\n"
            "finds the mouse among the HID devices, reads its configuration and writes it back\n"
            "verified.\n"))
        return *code;
    return vornik::runGui(argc, argv, vornik::createNativeHidPlatform());
}
