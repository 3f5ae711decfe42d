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

std::string commandText(const std::vector<std::string>& args) {
    std::string text = kProgramName;
    for (const auto& arg : args) text += " " + arg;
    return text;
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

void logFailure(const std::vector<std::string>& args, const platform::ProcessResult& result) {
    std::string reason = !result.started ? "could not be started"
                         : result.timedOut ? "timed out"
                                           : "exit status " + std::to_string(result.exitStatus);
    std::string detail = firstLine(result.errorOutput);
    platform::logWarning(commandText(args) + ": " + reason + (detail.empty() ? "" : ": " + detail));
}

platform::ProcessResult runTool(const std::vector<std::string>& args) {
    std::string program = platform::Bundle::helperPath(kProgramName);
    if (program.empty()) return {};
    platform::ProcessRequest request;
    request.arguments.push_back(program);
    request.arguments.insert(request.arguments.end(), args.begin(), args.end());
    return platform::ProcessRunner::shared()->run(request);
}

}  // namespace

DiskUtilRunner::Outcome DiskUtilRunner::runToFile(const std::vector<std::string>& args, const std::string& fileName) {
    std::string folder = platform::Environment::current()->runtimeFolder();
    if (folder.empty()) return {};
    Outcome outcome{platform::joinPath(folder, fileName), false};
    // An old result must never be read as the answer to this run.
    unlink(outcome.path.c_str());
    platform::ProcessResult result = runTool(args);
    if (!result.succeeded()) logFailure(args, result);
    bool written = platform::writeFileAtomically(outcome.path, result.output, 0600);
    outcome.succeeded = written && result.succeeded();
    return outcome;
}

std::optional<std::string> DiskUtilRunner::ExecDiskUtilCommandWithArgs(const std::vector<std::string>& args) {
    if (args.empty()) return std::nullopt;
    Outcome outcome = runToFile(args, kListFileName);
    if (!outcome.succeeded) return std::nullopt;
    return outcome.path;
}

std::string DiskUtilRunner::runDiskUtilWithArguments(const std::vector<std::string>& args, const std::string& fileName) {
    return runToFile(args, fileName).path;
}

}  // namespace core::disks
