#pragma once

#include "core/kit/Executors.h"

namespace ui {

// The places work runs: the main thread (queued onto the event loop, at once or after a delay),
// the global pool (QThreadPool::globalInstance) and a detached thread of its own.
class Dispatch {
public:
    static void mainQueue(core::Task task);
    // On the main thread once the delay has passed; callable from any thread.
    static void mainQueueAfter(std::chrono::milliseconds delay, core::Task task);
    static void globalQueue(core::Task task);
    static void detached(core::Task task);
    static core::Executors executors();
};

}  // namespace ui
