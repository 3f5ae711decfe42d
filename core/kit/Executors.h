#pragma once

#include <functional>

namespace core {

using Task = std::function<void()>;
using Executor = std::function<void(Task)>;

// Where an engine posts its work and its reports: the main thread, the shared pool, or a
// thread of its own. The interface layer hands in the real three; tests run them inline.
struct Executors {
    Executor main;
    Executor global;
    Executor detached;

    static Executors inlineExecutors();
};

}  // namespace core
