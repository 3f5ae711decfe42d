#include "platform/hardware/HostStatistics.h"

#include "platform/system/Environment.h"
#include "platform/system/KernelFiles.h"
#include "platform/system/Log.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <sstream>

namespace platform {
namespace {

std::string procFile(const char* name) { return Environment::current()->procRoot() + "/" + name; }

// Reads "name value [kB]" lines into a map of the first two columns.
std::optional<std::map<std::string, uint64_t>> readCounterTable(const char* name) {
    auto content = readKernelFile(procFile(name));
    if (!content) return std::nullopt;
    std::map<std::string, uint64_t> table;
    std::istringstream lines(*content);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string key, value;
        if (!(fields >> key >> value)) continue;
        if (!key.empty() && key.back() == ':') key.pop_back();
        if (auto number = parseUnsignedNumber(value)) table[key] = *number;
    }
    return table;
}

uint64_t counter(const std::map<std::string, uint64_t>& table, const std::string& key) {
    auto found = table.find(key);
    return found == table.end() ? 0 : found->second;
}

// "cpuN user nice system idle iowait irq softirq steal guest guest_nice": guest time is already
// inside user and nice; waiting for input counts as idle; interrupts and stolen time as system.
std::optional<ProcessorTicks> ticksOfLine(const std::string& line) {
    if (line.compare(0, 3, "cpu") != 0 || line.size() < 4 || line[3] < '0' || line[3] > '9')
        return std::nullopt;
    std::istringstream fields(line);
    std::string name, text;
    fields >> name;
    std::vector<uint64_t> values;
    while (fields >> text) {
        auto number = parseUnsignedNumber(text);
        if (!number) break;
        values.push_back(*number);
    }
    if (values.size() < 4) return std::nullopt;
    values.resize(10, 0);
    ProcessorTicks ticks;
    ticks.user = static_cast<uint32_t>(values[0]);
    ticks.nice = static_cast<uint32_t>(values[1]);
    ticks.system = static_cast<uint32_t>(values[2] + values[5] + values[6] + values[7]);
    ticks.idle = static_cast<uint32_t>(values[3] + values[4]);
    return ticks;
}

}  // namespace

std::optional<std::vector<ProcessorTicks>> HostStatistics::processorTicks() {
    auto content = readKernelFile(procFile("stat"));
    if (!content) {
        logWarning("cannot read " + procFile("stat"));
        return std::nullopt;
    }
    std::vector<ProcessorTicks> processors;
    std::istringstream lines(*content);
    std::string line;
    while (std::getline(lines, line)) {
        if (auto ticks = ticksOfLine(line)) processors.push_back(*ticks);
    }
    if (processors.empty()) {
        logWarning(procFile("stat") + " lists no processor");
        return std::nullopt;
    }
    return processors;
}

std::optional<VmStatistics> HostStatistics::vmStatistics(uint64_t pageSize) {
    auto memory = readCounterTable("meminfo");
    auto paging = readCounterTable("vmstat");
    if (!memory || !paging || pageSize == 0) return std::nullopt;
    auto pages = [&](uint64_t kibibytes) { return kibibytes * 1024 / pageSize; };
    const uint64_t free = counter(*memory, "MemFree");
    // What the kernel can hand out without swapping (kernels before 3.14 do not say: the free
    // memory alone). Linux's "Inactive" counts memory in use and leaves out most of the page
    // cache, so the reclaimable part of the available memory stands for the inactive pages,
    // and "used" (everything but free and inactive) is MemTotal less MemAvailable, as free(1)
    // counts it.
    const uint64_t available = memory->count("MemAvailable") ? counter(*memory, "MemAvailable") : free;
    VmStatistics statistics;
    statistics.freeCount = pages(std::min(free, available));
    statistics.inactiveCount = pages(available) - statistics.freeCount;
    statistics.activeCount = pages(counter(*memory, "Active"));
    statistics.wireCount = pages(counter(*memory, "Unevictable")) + pages(counter(*memory, "Mlocked"));
    // pswpin and pswpout count pages; pgpgin and pgpgout would be KiB.
    statistics.pageins = counter(*paging, "pswpin");
    statistics.pageouts = counter(*paging, "pswpout");
    statistics.faults = counter(*paging, "pgfault");
    return statistics;
}

std::optional<uint64_t> HostStatistics::physicalMemory() {
    auto memory = readCounterTable("meminfo");
    if (!memory) return std::nullopt;
    auto found = memory->find("MemTotal");
    if (found == memory->end()) {
        errno = ENOENT;
        return std::nullopt;
    }
    return found->second * 1024;
}

std::optional<uint64_t> HostStatistics::pageSize() {
    errno = 0;
    long size = sysconf(_SC_PAGESIZE);
    if (size <= 0) {
        if (errno == 0) errno = EINVAL;
        return std::nullopt;
    }
    return static_cast<uint64_t>(size);
}

}  // namespace platform
