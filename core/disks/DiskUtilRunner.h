#pragma once

#include <optional>
#include <string>
#include <vector>

namespace core::disks {

// Runs the disk utility (our stand-in program beside the application) and keeps what it
// printed on standard output in a named file of the private runtime folder, where the
// callers read it as a property list. Standard error never goes into the file.
class DiskUtilRunner {
public:
    static constexpr const char* kListFileName = "DiskListTemp.plist";

    // The path of "DiskListTemp.plist" holding the output; nothing when args is empty or the
    // tool did not finish with status 0 (logged), so a failure never reads as a result.
    static std::optional<std::string> ExecDiskUtilCommandWithArgs(const std::vector<std::string>& args);
    // The path of the named output file whatever the tool did; "" only when there is no
    // private runtime folder to write it in.
    static std::string runDiskUtilWithArguments(const std::vector<std::string>& args, const std::string& fileName);

private:
    struct Outcome {
        std::string path;
        bool succeeded = false;
    };
    static Outcome runToFile(const std::vector<std::string>& args, const std::string& fileName);
};

}  // namespace core::disks
