#pragma once

#include "core/kit/Executors.h"

#include <cstddef>
#include <functional>

namespace core {

// One worker for each processor, at least one: the worker count of a loop that may use them all.
std::size_t processorCount();

// Runs body(worker, index) once for every index below count, on the calling thread and on up
// to workerCount - 1 helpers posted to pool, and returns when every index has run. Indices
// are handed out in increasing order; worker numbers are below workerCount, and no two
// threads share one, so a worker may own per-thread scratch space. The calling thread works
// too, so the loop ends even when the pool runs nothing (or runs its tasks inline), and a
// helper that starts after the loop has ended finds nothing left and returns at once.
void runInParallel(const Executor& pool, std::size_t workerCount, std::size_t count,
                   const std::function<void(std::size_t worker, std::size_t index)>& body);

// runInParallel with produce as the body, and a second step on the calling thread: consume(index)
// for every index in increasing order, each as soon as produce has run for it, while the helpers
// go on with later indices. The calling thread produces too while it waits for the next index.
void runInParallelInOrder(const Executor& pool, std::size_t workerCount, std::size_t count,
                          const std::function<void(std::size_t worker, std::size_t index)>& produce,
                          const std::function<void(std::size_t index)>& consume);

}  // namespace core
