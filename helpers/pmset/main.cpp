// Prints the battery state the way the power-management tool does for "pmset -g batt",
// from /sys/class/power_supply below DURIDOVE_SYS_ROOT (default /sys).

#include "PowerSourceReport.h"

#include "platform/system/Environment.h"

#include <cstdio>
#include <string>

int main(int argc, char* argv[]) {
    if (argc != 3 || std::string(argv[1]) != "-g" || std::string(argv[2]) != "batt") {
        std::fprintf(stderr, "usage: pmset -g batt\n");
        return 1;
    }
    std::string folder = platform::Environment::current()->sysRoot() + "/class/power_supply";
    std::fputs(PowerSourceReport(folder).text().c_str(), stdout);
    return 0;
}
