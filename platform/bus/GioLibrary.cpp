#include "platform/bus/GioLibrary.h"

namespace platform {
namespace {

bool findCalls(const SystemLibrary& library, GioLibrary& calls) {
    bool complete = true;
    DURIDOVE_GIO_CALLS(DURIDOVE_LIBRARY_FIND)
    return complete;
}

}  // namespace

const GioLibrary* GioLibrary::loaded() { return loadedCallTable<GioLibrary>("libgio-2.0.so.0", "Desktop services", findCalls); }

}  // namespace platform
