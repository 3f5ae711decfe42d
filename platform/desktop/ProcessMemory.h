#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>

namespace platform {

// The memory a process holds, from the process table under Environment::procRoot().
class ProcessMemory {
public:
    // The resident size in bytes: the resident pages of <proc root>/<pid>/statm times the page
    // size. Nothing when the process is gone or cannot be read.
    static std::optional<uint64_t> residentSize(pid_t pid);
};

}  // namespace platform
