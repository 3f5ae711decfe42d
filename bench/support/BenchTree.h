#pragma once

#include "support/ProcessRace.h"

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

// Registers races (ProcessRace) of our program, run with the arguments given, against
// "du -sb" and "gdu -npc" over the tree, named "<name>_vs_DuSb" and "<name>_vs_Gdu". Both sides
// run with HOME set to the tree, so no user configuration is read; prepare, when given, runs
// before every run of either.
void addTreeSizerRaces(const std::string& name, const std::string& what, const std::vector<std::string>& ours,
                       const std::string& tree, int rounds, const std::function<bool()>& prepare = {});

// Makes the macOS locations resolve into root, for the login "bench", in this process.
void resolveMacPathsInto(const std::string& root);

// Runs the registered benchmarks over a tree generated in a fresh temporary folder, which the
// macOS locations resolve into (resolveMacPathsInto), and removes the folder afterwards. warm runs
// once, untimed, so every contender finds the tree in the cache alike (and may register
// benchmarks that need the tree); report, when given, runs after the benchmarks. 1 when
// generating failed.
int runOverGeneratedTree(int argc, char** argv, const std::function<bool(const std::string& root)>& generate,
                         const std::function<void()>& warm, const std::function<void()>& report = {});

}  // namespace bench
