// Sizing a generated tree of 300,000 files: sizeOfFileRef in this process, and as a process of
// its own raced against "du -sb" and "gdu -npc" on the same tree; and the plain single-threaded
// walk that the tools' scanners use.
#include "core/kit/CommUti.h"
#include "platform/files/FileWalker.h"
#include "support/BenchTree.h"

#include <cstdio>
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


}  // namespace

BENCHMARK(BM_SizeOfFileRef)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_FileWalkerSingleThread)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

int main(int argc, char** argv) {
    // In a process of its own ("--size FOLDER"): the folder sized, its total printed.
    if (argc == 3 && std::string(argv[1]) == "--size")
        return std::printf("%llu\n", static_cast<unsigned long long>(core::CommUti::sizeOfFileRef(argv[2]))) > 0 ? 0 : 1;
    // One untimed pass brings every folder into the cache for every contender alike.
    return bench::runOverGeneratedTree(
        argc, argv, [](const std::string& root) { return bench::generateSizeTree(root, tree); },
        [] {
            core::CommUti::sizeOfFileRef(tree.path);
            bench::addTreeSizerRaces("BM_SizeOfFileRef", "sizing the tree,", {"--size", tree.path}, tree.path, 15);
        });
}
