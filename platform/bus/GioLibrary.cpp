#include "platform/bus/GioLibrary.h"

namespace platform {

DURIDOVE_LIBRARY_LOADED(GioLibrary, DURIDOVE_GIO_CALLS, "libgio-2.0.so.0", "Desktop services")

}  // namespace platform
