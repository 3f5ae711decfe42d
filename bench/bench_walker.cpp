// Sizing a generated tree of 300,000 files: sizeOfFileRef beside "du -sb" and "gdu -npc" on
// the same tree, and the plain single-threaded walk that the tools' scanners use.
#include "core/kit/CommUti.h"
#include "platform/files/FileWalker.h"
#include "support/BenchTree.h"

#include <string>

namespace {

bench::SizeTree tree;

void BM_SizeOfFileRef(benchmark::State& state) {
    for (auto _ : state) {
        uint64_t size = core::CommUti::sizeOfFileRef(tree.path);
        if (size != tree.bytes) state.SkipWithError("wrong total");
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
        platform::FileWalker::walk(tree.path, callbacks);
        if (size != tree.bytes) state.SkipWithError("wrong total");
    }
}

void BM_DuSb(benchmark::State& state) { bench::timeTool(state, {"du", "-sb", tree.path}, tree.path); }
void BM_GduNpc(benchmark::State& state) { bench::timeTool(state, {"gdu", "-npc", tree.path}, tree.path); }

}  // namespace

BENCHMARK(BM_SizeOfFileRef)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_FileWalkerSingleThread)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_DuSb)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_GduNpc)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

int main(int argc, char** argv) {
    // One untimed pass brings every folder into the cache for all four contenders alike.
    return bench::runOverGeneratedTree(
        argc, argv, [](const std::string& root) { return bench::generateSizeTree(root, tree); },
        [] { core::CommUti::sizeOfFileRef(tree.path); });
}
