#include "platform/system/PosixProcessRunner.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <pthread.h>
#include <signal.h>

#include <chrono>
#include <sstream>
#include <string>
#include <vector>

using namespace std::chrono_literals;
using platform::PosixProcessRunner;
using platform::ProcessRequest;

TEST(ProcessRunner, OutputLargerThanAPipeDoesNotHang) {
    PosixProcessRunner runner;
    // 1 MiB on standard output and 256 KiB on standard error, far beyond a pipe's 64 KiB.
    ProcessRequest request{{"/bin/sh", "-c", "head -c 1048576 /dev/zero; head -c 262144 /dev/zero >&2"}, 20s};
    auto result = runner.run(request);
    EXPECT_TRUE(result.succeeded());
    EXPECT_EQ(result.output.size(), 1048576u);
    EXPECT_EQ(result.errorOutput.size(), 262144u);
}

TEST(ProcessRunner, ExitStatusComesBack) {
    PosixProcessRunner runner;
    auto result = runner.run({{"sh", "-c", "echo hi; exit 3"}, 10s});
    EXPECT_TRUE(result.started);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitStatus, 3);
    EXPECT_EQ(result.output, "hi\n");
}

TEST(ProcessRunner, TimeoutKillsTheChildAndItsChildren) {
    PosixProcessRunner runner;
    auto started = std::chrono::steady_clock::now();
    auto result = runner.run({{"sh", "-c", "sleep 30 & sleep 30"}, 300ms});
    EXPECT_TRUE(result.timedOut);
    EXPECT_FALSE(result.succeeded());
    EXPECT_EQ(result.signal, 9);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
}

// The child leads a process group of its own, with SIGPIPE at its default (this process ignores
// it) and no signal blocked, whatever the starting thread blocks.
TEST(ProcessRunner, TheChildHasItsOwnGroupAndPlainSignals) {
    PosixProcessRunner runner;
    sigset_t blocked, before;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &blocked, &before);
    // Read with the shell's built-ins only: a command the shell started could read the shell's
    // status while the shell is still starting it, with every signal held blocked for the while.
    auto result = runner.run({{"/bin/sh", "-c",
                               "while read -r line; do case $line in SigBlk*|SigIgn*) echo \"$line\";; esac; done "
                               "</proc/$$/status; read -r _ _ _ _ group _ </proc/$$/stat; echo $group $$"},
                              10s});
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    ASSERT_TRUE(result.succeeded()) << result.errorOutput;
    std::istringstream lines(result.output);
    std::string blockedLine, ignoredLine, group, pid;
    std::getline(lines, blockedLine);
    std::getline(lines, ignoredLine);
    lines >> group >> pid;
    EXPECT_EQ(blockedLine.substr(blockedLine.find('\t') + 1), "0000000000000000") << blockedLine;
    const unsigned long long ignored = std::stoull(ignoredLine.substr(ignoredLine.find('\t') + 1), nullptr, 16);
    EXPECT_EQ(ignored & (1ull << (SIGPIPE - 1)), 0u) << ignoredLine;
    EXPECT_EQ(group, pid);
}

TEST(ProcessRunner, InputReachesTheChildAndArgumentsAreNotAShellLine) {
    PosixProcessRunner runner;
    ProcessRequest request{{"cat"}, 10s, "line one\nline two\n"};
    EXPECT_EQ(runner.run(request).output, "line one\nline two\n");
    auto echoed = runner.run({{"echo", "a b; $(rm -rf /nonexistent)"}, 10s});
    EXPECT_EQ(echoed.output, "a b; $(rm -rf /nonexistent)\n");
}

TEST(ProcessRunner, MissingProgramIsNotStarted) {
    PosixProcessRunner runner;
    auto result = runner.run({{"/nonexistent/program"}, 1s});
    EXPECT_FALSE(result.started);
    EXPECT_FALSE(result.succeeded());
}

TEST(ProcessRunner, EnvironmentAdditionsReachTheChild) {
    PosixProcessRunner runner;
    ProcessRequest request{{"sh", "-c", "printf %s \"$DURIDOVE_PROBE\""}, 10s};
    request.environment = {{"DURIDOVE_PROBE", "42"}};
    EXPECT_EQ(runner.run(request).output, "42");
}

// The child prints its second line only once the first has been handed over, so the run ends
// (rather than timing out) only if the output is passed on while the child still runs.
TEST(ProcessRunner, OutputIsHandedOverAsItComes) {
    testsupport::TempFolder folder;
    const std::string seen = folder / "seen";
    ProcessRequest request{{"sh", "-c", "echo one; while [ ! -e \"$1\" ]; do sleep 0.01; done; echo two >&2", "sh", seen},
                           60s};
    std::vector<std::string> pieces;
    request.onOutput = [&](const std::string& piece) {
        pieces.push_back(piece);
        folder.writeFile("seen", "");
    };
    auto result = PosixProcessRunner().run(request);
    EXPECT_TRUE(result.succeeded());
    EXPECT_EQ(pieces, (std::vector<std::string>{"one\n", "two\n"}));
    EXPECT_EQ(result.output, "one\n");
    EXPECT_EQ(result.errorOutput, "two\n");
}
