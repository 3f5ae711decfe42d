#pragma once

#include "platform/system/SystemLibrary.h"

#include <isa-l/crc64.h>

namespace platform {

// The call made into ISA-L (the duplicate search's fast CRC-64), which is loaded on first use
// rather than with the application.
#define DURIDOVE_ISAL_CALLS(CALL) \
    CALL(crc64_jones_refl)

struct IsalLibrary {
    DURIDOVE_ISAL_CALLS(DURIDOVE_LIBRARY_POINTER)

    // The library with every call found, loaded once for the process and never unloaded;
    // nullptr (said once in the log) when it is missing or lacks a call.
    static const IsalLibrary* loaded();
};

}  // namespace platform
