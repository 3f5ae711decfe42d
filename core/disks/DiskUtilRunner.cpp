#include "core/disks/DiskUtilRunner.h"

#include "platform/files/AtomicFile.h"
#include "platform/system/Bundle.h"
#include "platform/system/Environment.h"
#include "platform/system/Log.h"
#include "platform/files/PathText.h"
#include "platform/system/ProcessRunner.h"

#include <unistd.h>

namespace core::disks {
namespace {

constexpr const char* kProgramName = "diskutil";
constexpr std::chrono::seconds kListingTimeout{30};
// Actions wait for the user and the device; only a hung tool is ever cut off.
constexpr std::chrono::hours kActionTimeout{24};

std::string commandText(const std::vector<std::string>& args) {
    std::string text = kProgramName;
    for (const auto& arg : args) text += " " + arg;
    return text;
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

std::string trimmed(const std::string& text) {
    size_t begin = text.find_first_not_of(" \n\t");
    if (begin == std::string::npos) return "";
    return text.substr(begin, text.find_last_not_of(" \n\t") - begin + 1);
}

std::string failureOf(const platform::ProcessResult& result) {
    if (!result.started) return "could not be started";
    if (result.timedOut) return "timed out";
    return "exit status " + std::to_string(result.exitStatus);
}

void logFailure(const std::vector<std::string>& args, const platform::ProcessResult& result) {
    std::string detail = firstLine(result.errorOutput);
    platform::logWarning(commandText(args) + ": " + failureOf(result) + (detail.empty() ? "" : ": " + detail));
}

// The tool's own reason: its "Error: …" lines, else how it ended.
std::string reasonOf(const platform::ProcessResult& result) {
    std::string reason = trimmed(result.errorOutput);
    for (size_t at = 0; (at = reason.find("Error: ", at)) != std::string::npos;)
        reason.erase(at, 7);
    return reason.empty() ? kProgramName + std::string(" ") + failureOf(result) : reason;
}

platform::ProcessResult runTool(const std::vector<std::string>& args, std::chrono::milliseconds timeout,
                                const std::function<void(const std::string& piece)>& shown = {}) {
    platform::ProcessResult result;
    std::string program = platform::Bundle::helperPath(kProgramName);
    if (!program.empty()) {
        platform::ProcessRequest request;
        request.arguments.push_back(program);
        request.arguments.insert(request.arguments.end(), args.begin(), args.end());
        request.timeout = timeout;
        request.onOutput = shown;
        result = platform::ProcessRunner::shared()->run(request);
    }
    if (!result.succeeded()) logFailure(args, result);
    return result;
}

// How an action ended: status 0 and what it printed, or its failure's status and reason.
void takeEnding(const platform::ProcessResult& result, DiskUtilRunner::ActionResult& outcome) {
    outcome.exitStatus = result.succeeded() ? 0 : (result.exitStatus > 0 ? result.exitStatus : -1);
    outcome.message = result.succeeded() ? trimmed(result.output) : reasonOf(result);
}

}  // namespace

DiskUtilRunner::ActionResult DiskUtilRunner::runToFile(const std::vector<std::string>& args,
                                                       const std::string& fileName, std::chrono::milliseconds timeout) {
    std::string folder = platform::Environment::current()->runtimeFolder();
    if (folder.empty()) return {"", -1, "there is no private folder for the disk utility's output"};
    ActionResult outcome{platform::joinPath(folder, fileName), -1, ""};
    // An old result must never be read as the answer to this run.
    unlink(outcome.path.c_str());
    platform::ProcessResult result = runTool(args, timeout);
    bool written = platform::writeFileAtomically(outcome.path, result.output, 0600);
    takeEnding(result, outcome);
    if (!written) outcome.path.clear();
    return outcome;
}

std::optional<std::string> DiskUtilRunner::ExecDiskUtilCommandWithArgs(const std::vector<std::string>& args) {
    if (args.empty()) return std::nullopt;
    ActionResult outcome = runToFile(args, kListFileName, kListingTimeout);
    if (!outcome.succeeded() || outcome.path.empty()) return std::nullopt;
    return outcome.path;
}

DiskUtilRunner::ActionResult DiskUtilRunner::runDiskUtilWithArguments(const std::vector<std::string>& args,
                                                                      const std::string& fileName) {
    return runToFile(args, fileName, kActionTimeout);
}

DiskUtilRunner::ActionResult DiskUtilRunner::streamDiskUtilWithArguments(
    const std::vector<std::string>& args, const std::function<void(const std::string& piece)>& shown) {
    ActionResult outcome;
    takeEnding(runTool(args, kActionTimeout, shown), outcome);
    return outcome;
}

}  // namespace core::disks
