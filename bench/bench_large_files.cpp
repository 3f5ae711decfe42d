// The large-file finder's scan of the generated 300,000-file tree (the one bench_walker sizes)
// beside "gdu -npc" and "du -sb" on the same tree: the time ratios, and the peak memory of a
// scan per million nodes, measured in a child process so nothing else the benchmark did counts.
#include "core/largefiles/EumeRoot.h"
#include "platform/files/TreeSizer.h"
#include "support/BenchTree.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

namespace {

using core::largefiles::EumeRoot;
using core::largefiles::FileNodeTree;

bench::SizeTree tree;
double scanMegabytes = -1;

uint64_t scan(const std::shared_ptr<FileNodeTree>& into) {
    EumeRoot(into).getRootNodeListWithPath(tree.path);
    uint64_t total = 0;
    for (const auto& row : into->childRows(nullptr)) total += row.size;
    return total;
}

uint64_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    uint64_t size = 0, resident = 0;
    statm >> size >> resident;
    return resident * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
}

// The growth of the peak resident size over a whole scan, in a forked child; -1 on failure.
double scanPeakMegabytes() {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return -1;
    pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        const uint64_t before = residentBytes();
        auto into = std::make_shared<FileNodeTree>();
        double megabytes = -1;
        if (scan(into) == tree.bytes) {
            struct rusage usage {};
            getrusage(RUSAGE_SELF, &usage);
            megabytes = (static_cast<double>(usage.ru_maxrss) * 1024 - static_cast<double>(before)) / 1e6;
        }
        ssize_t written = write(pipeFds[1], &megabytes, sizeof megabytes);
        _exit(written == sizeof megabytes ? 0 : 1);
    }
    close(pipeFds[1]);
    double megabytes = -1;
    if (child < 0 || read(pipeFds[0], &megabytes, sizeof megabytes) != sizeof megabytes) megabytes = -1;
    close(pipeFds[0]);
    if (child > 0) waitpid(child, nullptr, 0);
    return megabytes;
}

void BM_LargeFileScan(benchmark::State& state) {
    for (auto _ : state) {
        auto into = std::make_shared<FileNodeTree>();
        if (scan(into) != tree.bytes) state.SkipWithError("wrong total");
        state.PauseTiming();
        into.reset();
        state.ResumeTiming();
    }
}

void BM_DuSb(benchmark::State& state) { bench::timeTool(state, {"du", "-sb", tree.path}, tree.path); }
void BM_GduNpc(benchmark::State& state) { bench::timeTool(state, {"gdu", "-npc", tree.path}, tree.path); }

void report(const bench::RatioReporter& reporter) {
    reporter.printRatio("scan", "BM_LargeFileScan", "gdu -npc", "BM_GduNpc");
    reporter.printRatio("scan", "BM_LargeFileScan", "du -sb", "BM_DuSb");
    if (scanMegabytes < 0) {
        std::printf("peak memory: not measured\n");
        return;
    }
    std::printf("peak memory of a scan: %.1f MB for %zu nodes, %.1f MB per million nodes (goal: under 150)\n",
                scanMegabytes, tree.entries, scanMegabytes * 1e6 / static_cast<double>(tree.entries));
}

}  // namespace

BENCHMARK(BM_LargeFileScan)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_GduNpc)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_DuSb)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

int main(int argc, char** argv) {
    return bench::runOverGeneratedTree(
        argc, argv, [](const std::string& root) { return bench::generateSizeTree(root, tree); },
        [] {
            // An untimed pass warms the cache for every contender alike; the memory is measured
            // before any scan has left freed memory behind in this process.
            platform::TreeSizer::sizeOf(tree.path);
            scanMegabytes = scanPeakMegabytes();
        },
        report);
}
