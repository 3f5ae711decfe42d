#pragma once

#include "platform/system/SystemLibrary.h"

#include <gio/gio.h>

namespace platform {

// The calls made into GIO and GObject (the message buses and the desktop's settings), which
// are loaded on first use rather than with the application: nothing before the window shows
// needs them. GLib itself (the variants, the main loops) comes with Qt and is linked.
#define DURIDOVE_GIO_CALLS(CALL)                                                                                    \
    CALL(g_dbus_address_get_for_bus_sync) CALL(g_dbus_connection_call_sync) CALL(g_dbus_connection_close_sync)      \
    CALL(g_dbus_connection_is_closed) CALL(g_dbus_connection_new_for_address_sync)                                  \
    CALL(g_dbus_connection_signal_subscribe) CALL(g_dbus_connection_signal_unsubscribe)                             \
    CALL(g_dbus_error_strip_remote_error) CALL(g_object_unref) CALL(g_settings_get_value) CALL(g_settings_is_writable) \
    CALL(g_settings_new_full) CALL(g_settings_schema_get_key) CALL(g_settings_schema_has_key)                        \
    CALL(g_settings_schema_key_get_value_type) CALL(g_settings_schema_key_range_check)                              \
    CALL(g_settings_schema_key_unref) CALL(g_settings_schema_source_get_default) CALL(g_settings_schema_source_lookup) \
    CALL(g_settings_schema_source_new_from_directory) CALL(g_settings_schema_source_unref)                          \
    CALL(g_settings_schema_unref) CALL(g_settings_set_value) CALL(g_settings_sync) CALL(g_signal_connect_data)      \
    CALL(g_signal_handler_disconnect)

struct GioLibrary {
    DURIDOVE_GIO_CALLS(DURIDOVE_LIBRARY_POINTER)

    // The library with every call found, loaded once for the process and never unloaded;
    // nullptr (said once in the log) when it is missing or lacks a call.
    static const GioLibrary* loaded();
};

// The loaded library, for code that is reached only once loaded() gave one (a bus connection
// or a settings schema exists).
inline const GioLibrary& gio() { return *GioLibrary::loaded(); }

}  // namespace platform
