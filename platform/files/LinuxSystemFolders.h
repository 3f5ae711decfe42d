#pragma once

#include <array>
#include <string_view>

namespace platform {

// The top-level folders of a Linux system that hold the system itself, its devices, its
// mounts or the administrator's own files: never offered for deletion when a tool walks "/".
// Names of folders directly under "/", compared exactly (Linux file names keep their case).
inline constexpr std::array<std::string_view, 21> linuxSystemFolderNames{
    "bin",   "boot", "dev",  "etc",  "lib", "lib32", "lib64", "libx32", "lost+found", "media", "mnt",
    "opt",   "proc", "root", "run",  "sbin", "snap", "srv",   "sys",    "usr",        "var"};

}  // namespace platform
