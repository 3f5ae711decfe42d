#include "platform/desktop/ProcessMemory.h"

#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <unistd.h>

using platform::ProcessMemory;

TEST(ProcessMemory, ResidentPagesOfStatmTimesThePageSize) {
    testsupport::ScopedEnvironment environment;
    const auto page = static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    environment.folder().writeFile("proc/100/statm", "51200 2560 300 10 0 900 0\n");
    environment.folder().writeFile("proc/101/statm", "garbage\n");
    environment.folder().writeFile("proc/102/statm", "10 -5 1 1 0 1 0\n");

    EXPECT_EQ(ProcessMemory::residentSize(100), 2560 * page);
    for (pid_t unreadable : {101, 102, 103, 0, -1}) EXPECT_FALSE(ProcessMemory::residentSize(unreadable)) << unreadable;
}
