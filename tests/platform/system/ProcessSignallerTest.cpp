#include "platform/system/PidfdProcessSignaller.h"
#include "support/FakeProcessSignaller.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string>

using platform::PidfdProcessSignaller;
using platform::ProcessIdentity;
using Result = platform::ProcessSignaller::Result;

namespace {

// A child that waits for a signal; reaped by the test.
pid_t startWaitingChild() {
    pid_t pid = fork();
    if (pid == 0) {
        for (;;) pause();
    }
    return pid;
}

// Its state without waiting: 0 while it runs, else the signal that ended it.
int endingSignal(pid_t pid, bool wait) {
    int status = 0;
    if (waitpid(pid, &status, wait ? 0 : WNOHANG) != pid) return 0;
    return WIFSIGNALED(status) ? WTERMSIG(status) : -1;
}

// A stat line whose fields all differ and whose name holds spaces and parentheses.
std::string statLine(pid_t pid, std::uint64_t startTime) {
    std::string line = std::to_string(pid) + " (we (ir) d) S";
    for (int field = 4; field <= 21; ++field) line += " " + std::to_string(field * 1000);
    line += " " + std::to_string(startTime);
    for (int field = 23; field <= 52; ++field) line += " " + std::to_string(field * 1000);
    return line + "\n";
}

int refusingPidfdOpen(int) {
    errno = ENOSYS;
    return -1;
}

}  // namespace

TEST(ProcessSignaller, SignalsOnlyTheProcessWhoseStartTimeWasRecorded) {
    struct Case {
        const char* name;
        bool withPidfd;
        std::uint64_t recordedStart;  // the fixture's stat says 4242
        Result expected;
    };
    const Case cases[] = {
        {"same process, pidfd", true, 4242, Result::Sent},
        {"reused pid, pidfd", true, 4243, Result::Gone},
        {"same process, kill", false, 4242, Result::Sent},
        {"reused pid, kill", false, 4241, Result::Gone},
    };
    testsupport::ScopedEnvironment environment;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const pid_t child = startWaitingChild();
        ASSERT_GT(child, 0);
        environment.folder().writeFile("proc/" + std::to_string(child) + "/stat", statLine(child, 4242));
        PidfdProcessSignaller signaller = c.withPidfd ? PidfdProcessSignaller() : PidfdProcessSignaller(refusingPidfdOpen);
        EXPECT_EQ(signaller.identify(child), (ProcessIdentity{child, 4242}));

        EXPECT_EQ(signaller.send({child, c.recordedStart}, SIGTERM), c.expected);
        if (c.expected == Result::Sent) {
            EXPECT_EQ(endingSignal(child, true), SIGTERM);
        } else {
            EXPECT_EQ(endingSignal(child, false), 0) << "a process that took over the pid was signalled";
            kill(child, SIGKILL);
            endingSignal(child, true);
        }
    }
}

TEST(ProcessSignaller, AnEndedProcessIsGone) {
    testsupport::ScopedEnvironment environment;
    const pid_t child = startWaitingChild();
    environment.folder().writeFile("proc/" + std::to_string(child) + "/stat", statLine(child, 7));
    kill(child, SIGKILL);
    endingSignal(child, true);
    EXPECT_EQ(PidfdProcessSignaller().send({child, 7}, SIGTERM), Result::Gone);
}

TEST(ProcessSignaller, NeverSignalsInitThisProgramOrAGroup) {
    int opened = 0;
    PidfdProcessSignaller signaller([&opened](int) {
        ++opened;
        errno = ESRCH;
        return -1;
    });
    for (int pid : {0, 1, -1, -4321, static_cast<int>(getpid())}) {
        SCOPED_TRACE(pid);
        EXPECT_EQ(signaller.send({pid, 1}, SIGKILL), Result::Refused);
    }
    EXPECT_EQ(opened, 0);

    testsupport::FakeProcessSignaller fake;
    EXPECT_EQ(fake.send({1, 1}, SIGKILL), Result::Refused);
    EXPECT_TRUE(fake.sent().empty());
}

TEST(ProcessSignaller, IdentifiesRealProcessesByTheirStartTime) {
    testsupport::ScopedEnvironment environment([](platform::Environment::Values& values) { values.procRoot = "/proc"; });
    PidfdProcessSignaller signaller;
    const auto self = signaller.identify(getpid());
    ASSERT_TRUE(self);
    const pid_t child = startWaitingChild();
    const auto later = signaller.identify(child);
    ASSERT_TRUE(later);
    EXPECT_GE(later->startTime, self->startTime);
    EXPECT_EQ(signaller.send(*later, SIGTERM), Result::Sent);
    EXPECT_EQ(endingSignal(child, true), SIGTERM);
    EXPECT_EQ(signaller.identify(child), std::nullopt);
    EXPECT_EQ(signaller.identify(0), std::nullopt);
}
