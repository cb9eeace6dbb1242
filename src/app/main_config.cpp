// vornik-config: the configuration tool on the system's HID devices.
#include "app/gui_app.h"
#include "device/native_platform.h"

int main(int argc, char** argv) {
    return vornik::runGui(argc, argv, vornik::createNativeHidPlatform());
}
