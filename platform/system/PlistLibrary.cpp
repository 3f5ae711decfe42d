#include "platform/system/PlistLibrary.h"

namespace platform {

DURIDOVE_LIBRARY_LOADED(PlistLibrary, DURIDOVE_PLIST_CALLS, "libplist-2.0.so.3", "Property lists")

}  // namespace platform
