#include "platform/audio/PulseLibrary.h"

#include "platform/system/Log.h"

#include <dlfcn.h>

#include <string>

namespace platform {
namespace {

const char* const kLibraryName = "libpulse.so.0";

const PulseLibrary* load() {
    void* library = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = dlerror();
        logInfo(std::string("Sound: the PulseAudio client library cannot be loaded: ") + (reason ? reason : kLibraryName));
        return nullptr;
    }
    static PulseLibrary calls;
    bool complete = true;
#define DURIDOVE_PULSE_FIND(name)                                                       \
    calls.name = reinterpret_cast<decltype(calls.name)>(dlsym(library, #name));         \
    if (!calls.name) {                                                                  \
        logWarning(std::string("Sound: ") + kLibraryName + " has no " + #name);         \
        complete = false;                                                               \
    }
    DURIDOVE_PULSE_CALLS(DURIDOVE_PULSE_FIND)
#undef DURIDOVE_PULSE_FIND
    return complete ? &calls : nullptr;
}

}  // namespace

const PulseLibrary* PulseLibrary::loaded() {
    static const PulseLibrary* const library = load();
    return library;
}

}  // namespace platform
