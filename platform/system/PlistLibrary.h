#pragma once

#include "platform/system/SystemLibrary.h"

#include <plist/plist.h>

namespace platform {

// The calls made into libplist (reading and writing property lists), which is loaded on first
// use rather than with the application: no property list is read before the window shows.
#define DURIDOVE_PLIST_CALLS(CALL) \
    CALL(plist_array_append_item) CALL(plist_array_get_item) CALL(plist_array_get_size) \
    CALL(plist_dict_new_iter) CALL(plist_dict_next_item) CALL(plist_dict_set_item) CALL(plist_free) \
    CALL(plist_from_memory) CALL(plist_get_bool_val) CALL(plist_get_data_ptr) CALL(plist_get_date_val) \
    CALL(plist_get_node_type) CALL(plist_get_real_val) CALL(plist_get_string_ptr) CALL(plist_get_uint_val) \
    CALL(plist_is_binary) CALL(plist_new_array) CALL(plist_new_bool) CALL(plist_new_data) CALL(plist_new_date) \
    CALL(plist_new_dict) CALL(plist_new_real) CALL(plist_new_string) CALL(plist_new_uint) CALL(plist_to_xml)

struct PlistLibrary {
    DURIDOVE_PLIST_CALLS(DURIDOVE_LIBRARY_POINTER)

    // The library with every call found, loaded once for the process and never unloaded;
    // nullptr (said once in the log) when it is missing or lacks a call.
    static const PlistLibrary* loaded();
};

}  // namespace platform
