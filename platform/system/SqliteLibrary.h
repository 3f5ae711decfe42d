#pragma once

#include "platform/system/SystemLibrary.h"

#include <sqlite3.h>

namespace platform {

// The calls made into SQLite (the browsers' history and cookie databases), which is loaded on
// first use rather than with the application: the start-up does not read any database.
#define DURIDOVE_SQLITE_CALLS(CALL) \
    CALL(sqlite3_busy_timeout) CALL(sqlite3_close) CALL(sqlite3_column_int) CALL(sqlite3_errmsg) \
    CALL(sqlite3_finalize) CALL(sqlite3_open_v2) CALL(sqlite3_prepare_v2) CALL(sqlite3_step)

struct SqliteLibrary {
    DURIDOVE_SQLITE_CALLS(DURIDOVE_LIBRARY_POINTER)

    // The library with every call found, loaded once for the process and never unloaded;
    // nullptr (said once in the log) when it is missing or lacks a call.
    static const SqliteLibrary* loaded();
};

}  // namespace platform
