#include "platform/system/IsalLibrary.h"

namespace platform {

DURIDOVE_LIBRARY_LOADED(IsalLibrary, DURIDOVE_ISAL_CALLS, "libisal.so.2", "Checksums")

}  // namespace platform
