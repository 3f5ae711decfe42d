#include "platform/system/SqliteLibrary.h"

namespace platform {

DURIDOVE_LIBRARY_LOADED(SqliteLibrary, DURIDOVE_SQLITE_CALLS, "libsqlite3.so.0", "Browser databases")

}  // namespace platform
