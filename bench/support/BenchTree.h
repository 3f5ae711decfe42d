#pragma once

#include <benchmark/benchmark.h>

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace bench {

// A file of the given logical size, its bytes never written (a sparse file).
bool makeSparseFile(const std::string& path, off_t size);

// Times a command-line peer (du, gdu, ...) over a tree; its HOME is the tree, so no user
// configuration is read.
void timeTool(benchmark::State& state, std::vector<std::string> arguments, const std::string& tree);

// Runs the registered benchmarks over a tree generated in a fresh temporary folder, which the
// macOS locations resolve into (login "bench"), and removes the folder afterwards. warm runs
// once, untimed, so every contender finds the tree in the cache alike. 1 when generating failed.
int runOverGeneratedTree(int argc, char** argv, const std::function<bool(const std::string& root)>& generate,
                         const std::function<void()>& warm);

}  // namespace bench
