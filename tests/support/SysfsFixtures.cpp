#include "support/SysfsFixtures.h"

namespace testsupport {

void writeTemperatureSensor(const TempFolder& folder, const std::string& sensorFolder, int number,
                            const std::string& label, int64_t millidegrees) {
    std::string prefix = sensorFolder + "/temp" + std::to_string(number);
    folder.writeFile(prefix + "_input", std::to_string(millidegrees) + "\n");
    if (!label.empty()) folder.writeFile(prefix + "_label", label + "\n");
}

}  // namespace testsupport
