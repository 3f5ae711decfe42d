// Listing the running applications from this machine's process table: the first call reads
// every process in full, later calls only each process's stat file (the junk scanner asks once
// per offered item through CommUti::isBelongRunningApp).
#include "core/kit/CommUti.h"
#include "platform/desktop/ProcRunningApplications.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::vector<std::string> folders() { return platform::ProcRunningApplications::applicationFoldersFromProcess(); }

void BM_FirstListing(benchmark::State& state) {
    for (auto _ : state) {
        platform::ProcRunningApplications applications(folders());
        benchmark::DoNotOptimize(applications.runningApplications());
    }
}
BENCHMARK(BM_FirstListing)->Unit(benchmark::kMillisecond);

void BM_LaterListing(benchmark::State& state) {
    platform::ProcRunningApplications applications(folders());
    applications.runningApplications();
    for (auto _ : state) benchmark::DoNotOptimize(applications.runningApplications());
}
BENCHMARK(BM_LaterListing)->Unit(benchmark::kMillisecond);

void BM_IsBelongRunningApp(benchmark::State& state) {
    platform::RunningApplications::setShared(
        std::make_shared<platform::ProcRunningApplications>(folders()));
    for (auto _ : state) benchmark::DoNotOptimize(core::CommUti::isBelongRunningApp("com.apple.Safari"));
    platform::RunningApplications::setShared(nullptr);
}
BENCHMARK(BM_IsBelongRunningApp)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
