#pragma once

#include <cstdio>
#include <string>

// What the disk utility tells its caller: step lines on standard output, each flushed at once
// so that a reader sees it as it happens, and one "Error:" line on standard error.
inline void reportStep(const std::string& line) {
    std::fprintf(stdout, "%s\n", line.c_str());
    std::fflush(stdout);
}

inline int reportFailure(const std::string& reason) {
    std::fprintf(stderr, "Error: %s\n", reason.c_str());
    return 1;
}
