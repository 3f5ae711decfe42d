#include "core/taskmanager/TaskManagerEngine.h"

#include "core/readings/LoadFigures.h"
#include "platform/desktop/ProcessMemory.h"
#include "platform/desktop/RunningApplications.h"
#include "platform/system/Log.h"
#include "platform/system/ProcessSignaller.h"

#include <unistd.h>

#include <csignal>

#include <map>

namespace core::taskmanager {
namespace {

constexpr float kBytesPerMiB = 1024.0f * 1024.0f;

}  // namespace

std::shared_ptr<TaskManagerEngine> TaskManagerEngine::make(Executors executors, Reports reports) {
    return std::shared_ptr<TaskManagerEngine>(new TaskManagerEngine(std::move(executors), std::move(reports)));
}

TaskManagerEngine::TaskManagerEngine(Executors executors, Reports reports)
    : executors(std::move(executors)), reports(std::move(reports)) {
    cpuCount = cpuMonitor.getNumCPUs();
}

float TaskManagerEngine::getMemorySizeForPID(int pid) {
    auto bytes = platform::ProcessMemory::residentSize(pid);
    return bytes ? static_cast<float>(*bytes) / kBytesPerMiB : 0.0f;
}

std::vector<TaskManagerInfo> TaskManagerEngine::launchedApplications() {
    const pid_t self = getpid();
    std::vector<TaskManagerInfo> found;
    for (const auto& application : platform::RunningApplications::shared()->runningApplications()) {
        if (application.pid == self || application.name == kOwnName) continue;
        TaskManagerInfo row;
        row.pID = application.pid;
        row.startTime = application.startTime;
        row.image = application.icon;
        row.name = application.name;
        row.memSize = getMemorySizeForPID(application.pid);
        found.push_back(std::move(row));
    }
    return found;
}

void TaskManagerEngine::report(const std::function<void()>& what) const {
    if (what) what();
}

void TaskManagerEngine::getAllProcess() { build(false); }

void TaskManagerEngine::checkApp() { build(true); }

void TaskManagerEngine::refButtonAction() {
    allApplications.clear();
    allApplications.changeSelectAllButton();
    dropBuildsStartedSoFar();
    report(reports.rowsChanged);
    getAllProcess();
}

void TaskManagerEngine::build(bool onlyWhenCountDiffers) {
    const uint64_t generation = ++startedBuilds;
    std::weak_ptr<TaskManagerEngine> engine = weak_from_this();
    Executor main = executors.main;
    executors.global([engine, main, generation, onlyWhenCountDiffers] {
        std::vector<TaskManagerInfo> found = launchedApplications();
        main([engine, generation, onlyWhenCountDiffers, found = std::move(found)] {
            if (auto alive = engine.lock()) alive->takeBuild(generation, onlyWhenCountDiffers, found);
        });
    });
}

void TaskManagerEngine::takeBuild(uint64_t generation, bool onlyWhenCountDiffers,
                                  const std::vector<TaskManagerInfo>& found) {
    if (generation < newestTakenBuild) return;
    newestTakenBuild = generation;
    if (onlyWhenCountDiffers && found.size() == allApplications.allApplications().size()) return;
    allApplications.merge(found);
    report(reports.rowsChanged);
}

void TaskManagerEngine::updateMemoryUsage() {
    std::vector<int> pids;
    for (const auto& row : allApplications.allApplications()) pids.push_back(row.pID);
    std::weak_ptr<TaskManagerEngine> engine = weak_from_this();
    Executor main = executors.main;
    executors.global([engine, main, pids = std::move(pids)] {
        std::map<int, float> sizes;
        for (int pid : pids) sizes[pid] = getMemorySizeForPID(pid);
        main([engine, sizes = std::move(sizes)] {
            auto alive = engine.lock();
            if (alive && alive->allApplications.setMemorySizes(sizes)) alive->report(alive->reports.sizesChanged);
        });
    });
}

void TaskManagerEngine::updateSysStat() {
    std::weak_ptr<TaskManagerEngine> engine = weak_from_this();
    Executor main = executors.main;
    executors.global([engine, main, monitor = cpuMonitor, processors = cpuCount]() mutable {
        auto loads = monitor.monitorCPU();
        if (auto percentage = loads ? averageCpuPercentage(*loads, processors) : std::nullopt) {
            main([engine, value = *percentage] {
                if (auto alive = engine.lock(); alive && alive->reports.cpuChanged) alive->reports.cpuChanged(value);
            });
        }
        main([engine] {
            auto alive = engine.lock();
            if (!alive) return;
            alive->memoryInfo = alive->memoryMonitor.usagePercent();
            auto percentage = alive->memoryInfo.usedPercentage();
            if (percentage && alive->reports.memoryChanged) alive->reports.memoryChanged(static_cast<float>(*percentage));
        });
    });
}

void TaskManagerEngine::changeCpuAndMemory() {
    updateSysStat();
    checkApp();
    updateMemoryUsage();
}

void TaskManagerEngine::closeButtonAction() {
    auto signaller = platform::ProcessSignaller::shared();
    std::vector<TaskManagerInfo> gone;
    for (const TaskManagerInfo& row : allApplications.selectedRows()) {
        switch (signaller->send(platform::ProcessIdentity{row.pID, row.startTime}, SIGKILL)) {
            case platform::ProcessSignaller::Result::Sent: gone.push_back(row); break;
            case platform::ProcessSignaller::Result::Gone:
                platform::logInfo("Not force-quitting " + row.name + " (" + std::to_string(row.pID) +
                                  "): it has ended, or its pid now belongs to another process");
                gone.push_back(row);
                break;
            case platform::ProcessSignaller::Result::Refused:
            case platform::ProcessSignaller::Result::Failed:
                platform::logWarning("Could not force-quit " + row.name + " (" + std::to_string(row.pID) +
                                     "); it stays in the list");
                break;
        }
    }
    allApplications.removeRows(gone);
    dropBuildsStartedSoFar();
    report(reports.rowsChanged);
}

void TaskManagerEngine::setiTemperature() {
    std::weak_ptr<TaskManagerEngine> engine = weak_from_this();
    temperatureReads.submit([engine, main = executors.main, reader = temperatureReader] {
        if (reader->started) {
            reader->attribute.GetThreaholds();
        } else {
            reader->started = true;
            reader->attribute.GetSmartAttribute(std::string("disk0"));
        }
        main([engine, degrees = reader->attribute.GetTemperature()] {
            if (auto alive = engine.lock(); alive && alive->reports.temperatureChanged) alive->reports.temperatureChanged(degrees);
        });
    });
}

}  // namespace core::taskmanager
