#pragma once

#include <chrono>
#include <functional>
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

    // What an action answered: its exit status and, on failure, the reason it gave on
    // standard error (without "Error: "), else what it printed.
    struct ActionResult {
        std::string path;  // the output file; "" without a private runtime folder
        int exitStatus = -1;
        std::string message;
        bool succeeded() const { return exitStatus == 0; }
    };

    // The path of "DiskListTemp.plist" holding the output; nothing when args is empty or the
    // tool did not finish with status 0 (logged), so a failure never reads as a result.
    static std::optional<std::string> ExecDiskUtilCommandWithArgs(const std::vector<std::string>& args);
    // Runs an action verb to its end, however long it takes (a password prompt, a long
    // format), keeping its output in the named file.
    static ActionResult runDiskUtilWithArguments(const std::vector<std::string>& args, const std::string& fileName);
    // Runs a verb to its end as runDiskUtilWithArguments does, without an output file: each
    // piece the tool prints, on standard output or standard error, goes to shown (on the
    // running thread) as it comes.
    static ActionResult streamDiskUtilWithArguments(const std::vector<std::string>& args,
                                                    const std::function<void(const std::string& piece)>& shown);

private:
    static ActionResult runToFile(const std::vector<std::string>& args, const std::string& fileName,
                                  std::chrono::milliseconds timeout);
};

}  // namespace core::disks
