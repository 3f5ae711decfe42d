#include "platform/audio/PulseLibrary.h"

namespace platform {

DURIDOVE_LIBRARY_LOADED(PulseLibrary, DURIDOVE_PULSE_CALLS, "libpulse.so.0", "Sound")

}  // namespace platform
