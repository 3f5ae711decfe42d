#include "core/kit/Executors.h"

namespace core {
namespace {

void runNow(Task task) {
    if (task) task();
}

}  // namespace

Executors Executors::inlineExecutors() { return Executors{runNow, runNow, runNow}; }

}  // namespace core
