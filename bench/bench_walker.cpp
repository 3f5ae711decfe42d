// Sizing a generated tree of 300,000 files: sizeOfFileRef beside "du -sb" and "gdu -npc" on
// the same tree, and the plain single-threaded walk that the tools' scanners use.
#include "core/kit/CommUti.h"
#include "platform/files/FileManager.h"
#include "platform/files/FileWalker.h"
#include "platform/system/PosixProcessRunner.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// 20 × 20 × 25 folders in three levels, 30 files in each of the 10,000 deepest: 300,000 files.
constexpr int kTop = 20, kMiddle = 20, kBottom = 25, kFilesPerFolder = 30;

std::string treeRoot;
uint64_t treeBytes = 0;

bool makeFile(const std::string& path, off_t size) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool sized = ftruncate(fd, size) == 0;  // logical size without writing the bytes
    close(fd);
    return sized;
}

bool generateTree(const std::string& root) {
    unsigned seed = 1;
    for (int top = 0; top < kTop; ++top)
        for (int middle = 0; middle < kMiddle; ++middle)
            for (int bottom = 0; bottom < kBottom; ++bottom) {
                std::string folder = root + "/top" + std::to_string(top) + "/middle" + std::to_string(middle) +
                                     "/bottom" + std::to_string(bottom);
                std::filesystem::create_directories(folder);
                for (int file = 0; file < kFilesPerFolder; ++file) {
                    seed = seed * 1103515245u + 12345u;
                    off_t size = static_cast<off_t>((seed >> 8) % 65536);
                    if (!makeFile(folder + "/file" + std::to_string(file) + ".dat", size)) return false;
                    treeBytes += static_cast<uint64_t>(size);
                }
            }
    return true;
}

void runTool(benchmark::State& state, std::vector<std::string> arguments) {
    platform::PosixProcessRunner runner;
    platform::ProcessRequest request{std::move(arguments), std::chrono::minutes(5)};
    request.environment = {{"HOME", treeRoot}};  // no user configuration is read
    for (auto _ : state) {
        auto result = runner.run(request);
        if (!result.succeeded()) state.SkipWithError(("failed: " + request.arguments.front()).c_str());
    }
}

void BM_SizeOfFileRef(benchmark::State& state) {
    for (auto _ : state) {
        uint64_t size = core::CommUti::sizeOfFileRef(treeRoot);
        if (size != treeBytes) state.SkipWithError("wrong total");
        benchmark::DoNotOptimize(size);
    }
}

void BM_FileWalkerSingleThread(benchmark::State& state) {
    for (auto _ : state) {
        uint64_t size = 0;
        platform::FileWalker::Callbacks callbacks;
        callbacks.visitEntry = [&size](const platform::FileWalker::Visit& visit) {
            if (!visit.entry().isFolder()) size += visit.entry().size;
            return platform::FileWalker::Step::Continue;
        };
        platform::FileWalker::walk(treeRoot, callbacks);
        if (size != treeBytes) state.SkipWithError("wrong total");
    }
}

void BM_DuSb(benchmark::State& state) { runTool(state, {"du", "-sb", treeRoot}); }
void BM_GduNpc(benchmark::State& state) { runTool(state, {"gdu", "-npc", treeRoot}); }

}  // namespace

BENCHMARK(BM_SizeOfFileRef)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_FileWalkerSingleThread)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_DuSb)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_GduNpc)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

int main(int argc, char** argv) {
    std::string pattern = (std::filesystem::temp_directory_path() / "duridove-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    treeRoot = pattern;
    std::printf("generating %d files in %s\n", kTop * kMiddle * kBottom * kFilesPerFolder, treeRoot.c_str());
    bool generated = generateTree(treeRoot);
    int status = 1;
    if (generated) {
        // One untimed pass brings every folder into the cache for all four contenders alike.
        core::CommUti::sizeOfFileRef(treeRoot);
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        status = 0;
    }
    platform::FileManager::removeItemAtPath(treeRoot);
    return status;
}
