#include "platform/system/Busctl.h"
#include "platform/system/ProcessRunner.h"
#include "support/FakeProcessRunner.h"
#include "support/HostileInput.h"
#include "support/LogCapture.h"
#include "support/ScopedVariable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <optional>
#include <sstream>

using namespace std::chrono_literals;
using platform::Bus;

namespace {

// A message bus of the test's own, reached as the user's bus while it lives.
class PrivateBus {
public:
    PrivateBus() {
        auto started = platform::ProcessRunner::shared()->run(
            {{"dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1",
              "--address=unix:path=" + folder_ / "bus"},
             10s});
        std::istringstream lines(started.output);
        std::string address;
        lines >> address >> pid_;
        if (started.succeeded()) userBus_.emplace("DBUS_SESSION_BUS_ADDRESS", address);
    }
    ~PrivateBus() {
        if (pid_ > 0) kill(pid_, SIGTERM);
    }
    bool running() const { return userBus_.has_value() && pid_ > 0; }

private:
    testsupport::TempFolder folder_;
    int pid_ = 0;
    std::optional<testsupport::ScopedVariable> userBus_;
};

}  // namespace

TEST(Busctl, ValuesThatLookLikeOptionsReachTheBusAsValues) {
    PrivateBus bus;
    ASSERT_TRUE(bus.running());
    const std::vector<std::string> daemon = {"org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus"};
    auto method = [&](std::vector<std::string> tail) {
        std::vector<std::string> arguments = {"call"};
        arguments.insert(arguments.end(), daemon.begin(), daemon.end());
        arguments.insert(arguments.end(), tail.begin(), tail.end());
        return arguments;
    };
    struct Case {
        std::vector<std::string> arguments;
        bool succeeded;
        nlohmann::json data;
        const char* errorHolds;
    };
    const Case cases[] = {
        {method({"NameHasOwner", "s", "-x"}), true, nlohmann::json::array({false}), ""},
        {method({"NameHasOwner", "s", "org.freedesktop.DBus"}), true, nlohmann::json::array({true}), ""},
        {method({"GetNameOwner", "s", "--help"}), false, nullptr, "'--help'"},
        {method({"ReloadConfig"}), true, nullptr, ""},  // no out arguments
        {{"get-property", daemon[0], daemon[1], daemon[2], "-Interfaces"}, false, nullptr, "-Interfaces"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.back());
        const auto answer = platform::busctl(Bus::User, c.arguments, 5s);
        EXPECT_EQ(answer.succeeded, c.succeeded) << answer.error;
        EXPECT_EQ(answer.data, c.data);
        EXPECT_NE(answer.error.find(c.errorHolds), std::string::npos) << answer.error;
    }
}

// An answer nested deeper than any bus value is refused like one that is no JSON, before the
// reply's data is kept: an answer, and so its copies, never holds such a value.
TEST(Busctl, AnAnswerNestedTooDeeplyIsRefused) {
    auto runner = std::make_shared<testsupport::FakeProcessRunner>();
    testsupport::ScopedProcessRunner installed(runner);
    const std::vector<std::string> call = {"get-property", "org.example", "/org/example", "org.example.Thing", "Value"};
    std::vector<std::string> commandLine = {"--system", "--json=short", "--timeout=1000ms", "--"};
    commandLine.insert(commandLine.end(), call.begin(), call.end());
    for (const size_t levels : {255, 256, 500000}) {
        SCOPED_TRACE(levels);
        testsupport::LogCapture log;
        runner->answer(commandLine, R"({"type": "av", "data": )" + testsupport::nestedJsonArrays(levels) + "}");
        const platform::BusctlAnswer answer = platform::busctl(Bus::System, call, 1s);
        const platform::BusctlAnswer copy = answer;
        EXPECT_EQ(copy.succeeded, levels < 256);
        EXPECT_EQ(copy.data.is_array(), levels < 256);
        EXPECT_EQ(log.contains("busctl's answer nests deeper than 256 levels and is refused"), levels >= 256);
    }
}
