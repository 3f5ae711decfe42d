// The large-file finder's scan of the generated 300,000-file tree (the one bench_walker sizes):
// in this process, and as a process of its own raced against "gdu -npc" and "du -sb" on the
// same tree; and the peak memory of a scan per million nodes, measured in a process of its own
// so nothing else the benchmark did counts.
#include "core/largefiles/EumeRoot.h"
#include "platform/files/TreeSizer.h"
#include "platform/system/PosixProcessRunner.h"
#include "support/BenchTree.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
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

// In a process of its own ("--scan-peak FOLDER"): scans the folder and prints the sizes'
// total and the growth of the peak resident size over the scan, in megabytes.
int printScanPeak(const std::string& folder) {
    tree.path = folder;
    const uint64_t before = residentBytes();
    auto into = std::make_shared<FileNodeTree>();
    const uint64_t total = scan(into);
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%llu %.3f\n", static_cast<unsigned long long>(total),
                (static_cast<double>(usage.ru_maxrss) * 1024 - static_cast<double>(before)) / 1e6);
    return 0;
}

// The growth of the peak resident size over a whole scan, in a process of its own (this
// program again); -1 on failure.
double scanPeakMegabytes() {
    const std::string self = std::filesystem::read_symlink("/proc/self/exe");
    const platform::ProcessResult result =
        platform::PosixProcessRunner().run({{self, "--scan-peak", tree.path}, std::chrono::minutes(10)});
    unsigned long long total = 0;
    double megabytes = -1;
    if (!result.succeeded() || std::sscanf(result.output.c_str(), "%llu %lf", &total, &megabytes) != 2 ||
        total != tree.bytes)
        return -1;
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

void report() {
    if (scanMegabytes < 0) {
        std::printf("peak memory: not measured\n");
        return;
    }
    std::printf("peak memory of a scan: %.1f MB for %zu nodes, %.1f MB per million nodes (goal: under 150)\n",
                scanMegabytes, tree.entries, scanMegabytes * 1e6 / static_cast<double>(tree.entries));
}

}  // namespace

BENCHMARK(BM_LargeFileScan)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--scan-peak") return printScanPeak(argv[2]);
    return bench::runOverGeneratedTree(
        argc, argv, [](const std::string& root) { return bench::generateSizeTree(root, tree); },
        [] {
            // An untimed pass warms the cache for every contender alike; the memory is measured
            // before any scan has left freed memory behind in this process.
            platform::TreeSizer::sizeOf(tree.path);
            scanMegabytes = scanPeakMegabytes();
            // The whole process that measures a scan's memory is a whole scan too.
            bench::addTreeSizerRaces("BM_LargeFileScan", "large-file scan,", {"--scan-peak", tree.path}, tree.path, 15);
        },
        report);
}
