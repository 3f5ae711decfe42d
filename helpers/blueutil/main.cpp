// Switches the Bluetooth adapter's power: "blueutil -p 1" turns it on, "blueutil -p 0" off.
// BlueZ does it over the system bus; the program ends once BlueZ has answered, with status 1
// and the reason on standard error when the adapter stayed as it was (none there, blocked
// through rfkill, refused).

#include "platform/bus/BluetoothAdapter.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char* argv[]) {
    const bool valid = argc == 3 && std::strcmp(argv[1], "-p") == 0 &&
                       (std::strcmp(argv[2], "1") == 0 || std::strcmp(argv[2], "0") == 0);
    if (!valid) {
        std::fprintf(stderr, "usage: blueutil -p 1|0 (1 turns Bluetooth on, 0 off)\n");
        return 2;
    }
    const bool on = argv[2][0] == '1';
    std::string why;
    if (!platform::BluetoothAdapter::setPowered(on, &why)) {
        std::fprintf(stderr, "blueutil: Bluetooth could not be turned %s: %s\n", on ? "on" : "off", why.c_str());
        return 1;
    }
    return 0;
}
