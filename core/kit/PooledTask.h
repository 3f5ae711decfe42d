#pragma once

#include "core/kit/Executors.h"

#include <memory>

namespace core {

// Work posted to a pool that its owner waits for later. Whoever comes first runs it: a pool
// thread, or the owner in wait() when no pool thread has started it by then, so waiting never
// depends on the pool having a free thread. The work runs once; the destructor waits too.
class PooledTask {
public:
    PooledTask(const Executor& pool, Task work);
    ~PooledTask();
    PooledTask(const PooledTask&) = delete;
    PooledTask& operator=(const PooledTask&) = delete;

    // Returns once the work has run.
    void wait();

private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace core
