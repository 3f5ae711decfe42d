#include "platform/system/Busctl.h"

#include "platform/system/BoundedJson.h"
#include "platform/system/Log.h"
#include "platform/system/ProcessRunner.h"

namespace platform {
namespace {

constexpr auto kProcessGrace = std::chrono::seconds(2);

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

}  // namespace

BusctlAnswer busctl(Bus bus, const std::vector<std::string>& arguments, std::chrono::milliseconds timeout) {
    ProcessRequest request;
    request.arguments = {"busctl", bus == Bus::System ? "--system" : "--user", "--json=short",
                         "--timeout=" + std::to_string(timeout.count()) + "ms", "--"};
    request.arguments.insert(request.arguments.end(), arguments.begin(), arguments.end());
    request.timeout = timeout + kProcessGrace;
    const ProcessResult result = ProcessRunner::shared()->run(request);

    BusctlAnswer answer;
    if (!result.succeeded()) {
        if (!result.started) answer.error = "busctl could not be started";
        else if (result.timedOut) answer.error = "busctl did not answer in time";
        else answer.error = firstLine(result.errorOutput);
        if (answer.error.empty()) answer.error = "busctl failed with status " + std::to_string(result.exitStatus);
        return answer;
    }
    if (result.output.find_first_not_of(" \n") == std::string::npos) {
        answer.succeeded = true;  // a method without out arguments prints nothing
        return answer;
    }
    std::optional<nlohmann::json> reply = parseBoundedJson(result.output, "busctl's answer");
    if (!reply || !reply->is_object() || !reply->contains("data")) {
        answer.error = "busctl gave an answer that is not JSON";
        logWarning(answer.error + ": " + result.output.substr(0, 200));
        return answer;
    }
    answer.succeeded = true;
    answer.data = std::move((*reply)["data"]);
    return answer;
}

}  // namespace platform
