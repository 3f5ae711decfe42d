#pragma once

#include "core/kit/Executors.h"

namespace ui {

// The three places work runs: the main thread (queued onto the event loop), the global pool
// (QThreadPool::globalInstance) and a detached thread of its own.
class Dispatch {
public:
    static void mainQueue(core::Task task);
    static void globalQueue(core::Task task);
    static void detached(core::Task task);
    static core::Executors executors();
};

}  // namespace ui
