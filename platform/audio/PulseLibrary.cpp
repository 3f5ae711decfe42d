#include "platform/audio/PulseLibrary.h"

namespace platform {
namespace {

bool findCalls(const SystemLibrary& library, PulseLibrary& calls) {
    bool complete = true;
    DURIDOVE_PULSE_CALLS(DURIDOVE_LIBRARY_FIND)
    return complete;
}

}  // namespace

const PulseLibrary* PulseLibrary::loaded() { return loadedCallTable<PulseLibrary>("libpulse.so.0", "Sound", findCalls); }

}  // namespace platform
