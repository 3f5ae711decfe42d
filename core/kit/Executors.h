#pragma once

#include <chrono>
#include <functional>

namespace core {

using Task = std::function<void()>;
using Executor = std::function<void(Task)>;
using DelayedExecutor = std::function<void(std::chrono::milliseconds, Task)>;

// Where an engine posts its work and its reports: the main thread, the shared pool, or a
// thread of its own. The interface layer hands in the real ones; tests run them inline.
struct Executors {
    Executor main;
    Executor global;
    Executor detached;
    DelayedExecutor mainAfter;  // the main thread, once the delay has passed

    // Runs everything at once, delayed work included.
    static Executors inlineExecutors();
};

}  // namespace core
