#include "core/readings/SSMemoryMonitor.h"

#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>

using core::SSMemoryMonitor;

namespace {

const uint64_t kPage = static_cast<uint64_t>(sysconf(_SC_PAGESIZE));

// Sizes in KiB that are whole pages on any page size up to 64 KiB.
std::string meminfo(uint64_t total, uint64_t free, uint64_t active, uint64_t inactive) {
    return "MemTotal:       " + std::to_string(total) + " kB\n" +
           "MemFree:        " + std::to_string(free) + " kB\n" +
           "MemAvailable:   " + std::to_string(free + inactive) + " kB\n" +
           "Active:         " + std::to_string(active) + " kB\n" +
           "Inactive:       " + std::to_string(inactive) + " kB\n" +
           "Unevictable:         64 kB\n"
           "Mlocked:             128 kB\n"
           "SwapTotal:             0 kB\n";
}

const char* const kVmstat =
    "nr_free_pages 1000\npgpgin 999999\npgpgout 888888\npswpin 12\npswpout 34\npgfault 5678\npgmajfault 9\n";

}  // namespace

TEST(SSMemoryMonitor, FiguresComeFromMeminfoAndVmstatInBytes) {
    testsupport::ScopedEnvironment environment;
    environment.folder().writeFile("proc/meminfo", meminfo(8388608, 1048576, 2097152, 3145728));
    environment.folder().writeFile("proc/vmstat", kVmstat);
    SSMemoryMonitor monitor;
    EXPECT_EQ(monitor.pagesize, 4096u);
    auto info = monitor.usagePercent();
    EXPECT_EQ(monitor.pagesize, kPage);
    EXPECT_EQ(info.totalMemory, 8388608ull * 1024);
    EXPECT_EQ(info.freeMemory, 1048576ull * 1024);
    EXPECT_EQ(info.activeMemory, 2097152ull * 1024);
    EXPECT_EQ(info.inactiveMemory, 3145728ull * 1024);
    EXPECT_EQ(info.wiredMemory, 192ull * 1024);
    // Used is everything but free and inactive pages; active and wired are not summed.
    EXPECT_EQ(info.usedMomory, (8388608ull - 1048576 - 3145728) * 1024);
    EXPECT_DOUBLE_EQ(*info.usedPercentage(), 50.0);
    // Swap-ins and swap-outs are pages; pgpgin and pgpgout (KiB) are not used.
    EXPECT_EQ(info.pageIn, 12 * kPage);
    EXPECT_EQ(info.pageOut, 34 * kPage);
    EXPECT_EQ(info.virtualMemory, 5678 * kPage);
}

// Recorded /proc/meminfo files: "used" is what Linux cannot hand out without swapping, MemTotal
// less MemAvailable, as free(1) counts it; Inactive holds memory in use and leaves out most of
// the page cache, which the kernel gives back at once. Without MemAvailable (kernels before
// 3.14) only the free memory counts as not used.
TEST(SSMemoryMonitor, UsedIsTheTotalLessWhatIsAvailable) {
    struct Case {
        const char* file;
        uint64_t usedKiB;
        double percentage;
    };
    const Case cases[] = {
        {"meminfo-page-cache", 24682404 - 20024216, 18.87},
        {"meminfo-low-reserve", 2009020 - 104448, 94.80},
        {"meminfo-no-available", 1048576 - 262144, 75.00},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        testsupport::ScopedEnvironment environment;
        environment.folder().writeFile("proc/meminfo",
                                       testsupport::readWholeFile(std::string(DURIDOVE_TEST_DATA) + "/proc/" + c.file));
        environment.folder().writeFile("proc/vmstat", kVmstat);
        const auto info = SSMemoryMonitor().usagePercent();
        // Each count is taken in whole pages.
        EXPECT_NEAR(static_cast<double>(info.usedMomory), static_cast<double>(c.usedKiB * 1024), 3.0 * kPage);
        EXPECT_NEAR(*info.usedPercentage(), c.percentage, 0.01);
    }
}

TEST(SSMemoryMonitor, UsedMemoryNeverUnderflows) {
    testsupport::ScopedEnvironment environment;
    // Counts read a moment apart may add up to more than the total.
    environment.folder().writeFile("proc/meminfo", meminfo(1048576, 786432, 0, 524288));
    environment.folder().writeFile("proc/vmstat", kVmstat);
    SSMemoryMonitor monitor;
    auto info = monitor.usagePercent();
    EXPECT_EQ(info.usedMomory, 0u);
    EXPECT_DOUBLE_EQ(*info.usedPercentage(), 0.0);
}

TEST(SSMemoryMonitor, MissingFilesKeepThePreviousFiguresAndGiveNoPercentage) {
    testsupport::ScopedEnvironment environment;
    testsupport::LogCapture log;
    SSMemoryMonitor monitor;
    EXPECT_EQ(monitor.getMemoryInfo(), ENOENT);
    EXPECT_TRUE(log.contains("host_statistics failed"));
    auto info = monitor.usagePercent();
    EXPECT_EQ(info.totalMemory, 0u);
    EXPECT_FALSE(info.usedPercentage().has_value());

    environment.folder().writeFile("proc/meminfo", meminfo(2097152, 1048576, 0, 0));
    environment.folder().writeFile("proc/vmstat", kVmstat);
    EXPECT_EQ(monitor.getMemoryInfo(), 0);
    unlink((environment.folder() / "proc/vmstat").c_str());
    EXPECT_EQ(monitor.getMemoryInfo(), 0);  // only the size queries count for the result
    EXPECT_EQ(monitor.vmstat.faults, 5678u);
    EXPECT_EQ(monitor.totalMemory, 2097152ull * 1024);
}
