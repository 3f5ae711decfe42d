#pragma once

#include "platform/system/SystemLibrary.h"

#include <libmount/libmount.h>

namespace platform {

// The calls made into libmount (the mount table's parser), which is loaded on first use rather
// than with the application, with the libraries it brings (libblkid, libselinux): the mount
// table is first read by the disk page's scan, after the window shows.
#define DURIDOVE_MOUNT_CALLS(CALL) \
    CALL(mnt_free_iter) CALL(mnt_fs_get_devno) CALL(mnt_fs_get_fstype) CALL(mnt_fs_get_source) \
    CALL(mnt_fs_get_target) CALL(mnt_fs_is_netfs) CALL(mnt_fs_is_pseudofs) CALL(mnt_fs_match_options) \
    CALL(mnt_new_iter) CALL(mnt_new_table) CALL(mnt_table_next_fs) CALL(mnt_table_parse_file) \
    CALL(mnt_unref_table)

struct MountLibrary {
    DURIDOVE_MOUNT_CALLS(DURIDOVE_LIBRARY_POINTER)

    // The library with every call found, loaded once for the process and never unloaded;
    // nullptr (said once in the log) when it is missing or lacks a call.
    static const MountLibrary* loaded();
};

}  // namespace platform
