#pragma once

#include "core/kit/Executors.h"
#include "core/kit/LatestTaskQueue.h"
#include "core/readings/CSMARTAttribute.h"
#include "core/readings/SSCpuMonitor.h"
#include "core/readings/SSMemoryInfo.h"
#include "core/readings/SSMemoryMonitor.h"
#include "core/taskmanager/TaskManagerRows.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace core::taskmanager {

// What the task manager page computes and does: it lists the running applications with their
// memory, keeps the machine's CPU and memory load and the start-up disk's temperature, and
// force-quits the ticked applications. Lists and memory figures are read on the global queue
// and handed to the main queue whole, where alone the rows are read and changed; the reports
// are made there too. Work posted for an engine that is gone by then is dropped.
class TaskManagerEngine : public std::enable_shared_from_this<TaskManagerEngine> {
public:
    // The program itself is never listed, neither by its pid nor by its name.
    static constexpr const char* kOwnName = "Duridove";

    struct Reports {
        std::function<void()> rowsChanged;           // rows came, went or were rebuilt; the select-all state follows
        std::function<void()> sizesChanged;          // only memory figures changed
        std::function<void(float)> cpuChanged;       // the CPU load in percent
        std::function<void(float)> memoryChanged;    // the memory use in percent
        std::function<void(int)> temperatureChanged; // the start-up disk's temperature in degrees
    };

    // Makes the CPU and memory monitors and takes the processor count.
    static std::shared_ptr<TaskManagerEngine> make(Executors executors, Reports reports);

    TaskManagerRows& rows() { return allApplications; }
    const TaskManagerRows& rows() const { return allApplications; }
    uint32_t getCpuCount() const { return cpuCount; }

    // Builds the list from the running-applications service: known processes only get their
    // memory figure, new ones are appended ticked, rows of quit applications stay.
    void getAllProcess();
    // Empties the list and builds it again.
    void refButtonAction();
    // Builds the list when the service lists another number of applications than there are rows.
    void checkApp();
    // Reads every row's memory again; a process that is gone shows 0.
    void updateMemoryUsage();
    // Reads the CPU load (skipped while the sample has not one entry per processor) and the
    // memory use.
    void updateSysStat();
    // The 3-second tick: load, change check, memory.
    void changeCpuAndMemory();
    // Force-quits the ticked applications (SIGKILL, no question asked), each only while its pid
    // still belongs to the process its row was made for. A row leaves the list when its process
    // is gone: killed, ended already, or its pid taken by another process (which is left alone);
    // a refused kill keeps the row, with a log line saying why.
    void closeButtonAction();
    // Reads the start-up disk's S.M.A.R.T. data on the global queue and reports its temperature
    // (0 while no reading has succeeded): the first call finds the disk and reads it, each later
    // one reads it again. One reading at a time, the latest waiting one kept; the disk (or the
    // service answering for it) is never waited for on the main thread.
    void setiTemperature();

    // Resident memory of a process in MiB; 0 when it cannot be read.
    static float getMemorySizeForPID(int pid);
    // The running applications as new rows, without the program itself. Runs on any thread.
    static std::vector<TaskManagerInfo> launchedApplications();

private:
    TaskManagerEngine(Executors executors, Reports reports);

    // A list build numbered by when it started; a result older than one already taken in (or
    // started before a refresh or a force quit) is dropped. A change check takes its result in only when the
    // number of applications differs from the rows'.
    void build(bool onlyWhenCountDiffers);
    void takeBuild(uint64_t generation, bool onlyWhenCountDiffers, const std::vector<TaskManagerInfo>& found);
    void report(const std::function<void()>& what) const;
    // Builds started until now may still list what the rows no longer hold.
    void dropBuildsStartedSoFar() { newestTakenBuild = startedBuilds + 1; }

    // The disk's reader, used only by the readings of temperatureReads, one after another.
    struct TemperatureReader {
        CSMARTAttribute attribute{nullptr};
        bool started = false;
    };

    Executors executors;
    Reports reports;
    TaskManagerRows allApplications;
    SSCpuMonitor cpuMonitor;
    SSMemoryMonitor memoryMonitor;
    SSMemoryInfo memoryInfo;
    uint32_t cpuCount = 0;
    std::shared_ptr<TemperatureReader> temperatureReader = std::make_shared<TemperatureReader>();
    LatestTaskQueue temperatureReads{executors.global};
    uint64_t startedBuilds = 0;
    uint64_t newestTakenBuild = 0;
};

}  // namespace core::taskmanager
