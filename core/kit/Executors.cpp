#include "core/kit/Executors.h"

namespace core {
namespace {

void runNow(Task task) {
    if (task) task();
}

void runNowInsteadOfLater(std::chrono::milliseconds, Task task) { runNow(std::move(task)); }

}  // namespace

Executors Executors::inlineExecutors() { return Executors{runNow, runNow, runNow, runNowInsteadOfLater}; }

}  // namespace core
