#include "platform/system/Log.h"
#include "platform/system/LogWriter.h"
#include "support/TempFolder.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

using platform::LogWriter;
using testsupport::readWholeFile;
using testsupport::TempFolder;

namespace {

int openForAppending(const std::string& path) { return open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600); }

}  // namespace

TEST(LogWriter, LinesArriveInOrderAndFinishWritesTheRest) {
    TempFolder temp;
    const std::string path = temp / "log";
    const int fd = openForAppending(path);
    std::string expected;
    {
        LogWriter writer(fd);
        for (int line = 0; line < 20000; ++line) {
            expected += "line " + std::to_string(line) + "\n";
            writer.append("line " + std::to_string(line) + "\n");
        }
        writer.flush();
        EXPECT_EQ(readWholeFile(path), expected);
        writer.append("last\n");
        writer.finish();
        EXPECT_EQ(readWholeFile(path), expected + "last\n");
        writer.append("after the end\n");  // written at once on this thread
        EXPECT_EQ(readWholeFile(path), expected + "last\nafter the end\n");
    }
    close(fd);
}

// A library may fork a child that runs on without an exec and ends through exit, as GLib's
// test bus does for its watcher: the child's lines are written at once, and finishing (the
// log's at-exit step) does not wait for the parent's writer thread, which the child lacks.
TEST(LogWriter, AForkedChildWritesItsOwnLinesAtOnceAndFinishes) {
    TempFolder temp;
    const std::string path = temp / "log";
    const int fd = openForAppending(path);
    LogWriter writer(fd);
    writer.append("parent\n");
    writer.flush();
    const pid_t child = fork();
    if (child == 0) {
        writer.append("child\n");
        writer.finish();
        _exit(0);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readWholeFile(path), "parent\nchild\n");
    writer.finish();
    close(fd);
}

// A burst of lines for the system log: the first of them go there, the rest are counted on one
// line of its own, and all of them reach the descriptor in order.
TEST(LogWriter, ABurstToTheSystemLogIsBounded) {
    TempFolder temp;
    const std::string path = temp / "log";
    const int fd = openForAppending(path);
    std::vector<std::string> sent;
    std::string expected;
    {
        LogWriter writer(fd, [&](const LogWriter::SystemLine& line) { sent.push_back(line.text); },
                         LogWriter::SystemBound{100, std::chrono::hours(1)});
        for (int line = 0; line < 1000; ++line) {
            expected += "warning " + std::to_string(line) + "\n";
            writer.append("warning " + std::to_string(line) + "\n", LogWriter::SystemLine{4, "w" + std::to_string(line)});
        }
        writer.finish();
    }
    EXPECT_EQ(readWholeFile(path), expected);
    ASSERT_EQ(sent.size(), 101u);
    EXPECT_EQ(sent.front(), "w0");
    EXPECT_EQ(sent[99], "w99");
    EXPECT_EQ(sent.back(), "900 more lines were kept out of the system log");
    close(fd);
}

TEST(Log, AWarningKeepsItsPlaceAmongTheLinesAndFlushWritesIt) {
    TempFolder temp;
    const std::string path = temp / "stderr";
    const std::string seen = testsupport::runInChild([&] {
        const int fd = openForAppending(path);
        if (fd < 0 || dup2(fd, STDERR_FILENO) < 0) return std::string("no stderr file");
        platform::logInfo("first");
        platform::logWarning("second");
        platform::logInfo("third");
        platform::flushLog();
        return readWholeFile(path);
    });
    const std::string pid = seen.substr(0, seen.find(']') + 1);
    EXPECT_EQ(seen, pid + " info: first\n" + pid + " warning: second\n" + pid + " info: third\n");
}
