#include "platform/system/Log.h"
#include "platform/system/SystemLibrary.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

using platform::SystemLibrary;

// A library is found by its file name, its calls by name; what is missing is said in the log
// under what the library is for, and yields nothing to call.
TEST(SystemLibrary, MissingLibrariesAndCallsAreSaidAndYieldNothing) {
    std::vector<std::string> lines;
    platform::setLogSink([&](platform::LogLevel, const std::string& line) { lines.push_back(line); });
    const SystemLibrary libc("libc.so.6", "Probe");
    const SystemLibrary missing("libduridove-no-such-library.so.9", "Probe");
    auto* ownPid = libc.call<decltype(&::getpid)>("getpid");
    auto* noCall = libc.call<decltype(&::getpid)>("duridove_no_such_call");
    auto* fromMissing = missing.call<decltype(&::getpid)>("getpid");
    platform::setLogSink({});

    EXPECT_TRUE(libc.isLoaded());
    ASSERT_NE(ownPid, nullptr);
    EXPECT_EQ(ownPid(), getpid());
    EXPECT_EQ(noCall, nullptr);
    EXPECT_FALSE(missing.isLoaded());
    EXPECT_EQ(fromMissing, nullptr);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("Probe: libduridove-no-such-library.so.9 cannot be loaded: ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1], "Probe: libc.so.6 has no duridove_no_such_call");
}
