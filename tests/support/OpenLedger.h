#pragma once

#include "core/duplicates/algorithm.h"

#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>

namespace testsupport {

// Watches the opens of the fingerprinting objects a search makes: counts them per path, fails
// the opens of chosen paths, and calls a hook at every open, one open at a time.
class OpenLedger {
public:
    std::set<std::string> failing;
    std::function<void(const std::string& path, int count)> onOpen;

    int count(const std::string& path);
    int total();
    // Makes fingerprinting objects that report here.
    core::AlgorithmFactory factory();
    // Counts an open and calls the hook; false when the open is to fail.
    bool opening(const std::string& path);

private:
    std::mutex mutex_;
    std::map<std::string, int> opens_;
};

}  // namespace testsupport
