#pragma once

#include "support/RatioReporter.h"

#include <benchmark/benchmark.h>

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// A file of the given logical size, its bytes never written (a sparse file).
bool makeSparseFile(const std::string& path, off_t size);

// The tree of 300,000 files that the size benchmarks share, in root/tree: 20 × 20 × 25 folders
// in three levels, 30 sparse files of up to 64 KiB in each of the 10,000 deepest.
struct SizeTree {
    std::string path;
    uint64_t bytes = 0;  // the files' sizes added up
    size_t entries = 0;  // files and folders below the tree's folder
};
bool generateSizeTree(const std::string& root, SizeTree& tree);

// Times a command-line peer (du, gdu, ...) over a tree; its HOME is the tree, so no user
// configuration is read.
void timeTool(benchmark::State& state, std::vector<std::string> arguments, const std::string& tree);

// Runs the registered benchmarks over a tree generated in a fresh temporary folder, which the
// macOS locations resolve into (login "bench"), and removes the folder afterwards. warm runs
// once, untimed, so every contender finds the tree in the cache alike; report, when given,
// runs after the benchmarks with their times. 1 when generating failed.
int runOverGeneratedTree(int argc, char** argv, const std::function<bool(const std::string& root)>& generate,
                         const std::function<void()>& warm,
                         const std::function<void(const RatioReporter&)>& report = {});

}  // namespace bench
