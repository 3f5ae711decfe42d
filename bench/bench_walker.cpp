// Sizing a generated tree of 300,000 files: sizeOfFileRef beside "du -sb" and "gdu -npc" on
// the same tree, and the plain single-threaded walk that the tools' scanners use.
#include "core/kit/CommUti.h"
#include "platform/files/FileWalker.h"
#include "support/BenchTree.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

// 20 × 20 × 25 folders in three levels, 30 files in each of the 10,000 deepest: 300,000 files.
constexpr int kTop = 20, kMiddle = 20, kBottom = 25, kFilesPerFolder = 30;

std::string treeRoot;
uint64_t treeBytes = 0;

bool generateTree(const std::string& root) {
    treeRoot = root + "/tree";
    std::printf("generating %d files in %s\n", kTop * kMiddle * kBottom * kFilesPerFolder, treeRoot.c_str());
    unsigned seed = 1;
    for (int top = 0; top < kTop; ++top)
        for (int middle = 0; middle < kMiddle; ++middle)
            for (int bottom = 0; bottom < kBottom; ++bottom) {
                std::string folder = treeRoot + "/top" + std::to_string(top) + "/middle" + std::to_string(middle) +
                                     "/bottom" + std::to_string(bottom);
                std::filesystem::create_directories(folder);
                for (int file = 0; file < kFilesPerFolder; ++file) {
                    seed = seed * 1103515245u + 12345u;
                    off_t size = static_cast<off_t>((seed >> 8) % 65536);
                    if (!bench::makeSparseFile(folder + "/file" + std::to_string(file) + ".dat", size)) return false;
                    treeBytes += static_cast<uint64_t>(size);
                }
            }
    return true;
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

void BM_DuSb(benchmark::State& state) { bench::timeTool(state, {"du", "-sb", treeRoot}, treeRoot); }
void BM_GduNpc(benchmark::State& state) { bench::timeTool(state, {"gdu", "-npc", treeRoot}, treeRoot); }

}  // namespace

BENCHMARK(BM_SizeOfFileRef)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_FileWalkerSingleThread)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_DuSb)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_GduNpc)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

int main(int argc, char** argv) {
    // One untimed pass brings every folder into the cache for all four contenders alike.
    return bench::runOverGeneratedTree(argc, argv, generateTree, [] { core::CommUti::sizeOfFileRef(treeRoot); });
}
