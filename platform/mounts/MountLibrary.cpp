#include "platform/mounts/MountLibrary.h"

namespace platform {

DURIDOVE_LIBRARY_LOADED(MountLibrary, DURIDOVE_MOUNT_CALLS, "libmount.so.1", "Mount table")

}  // namespace platform
