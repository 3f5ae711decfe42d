#pragma once

#include <nlohmann/json.hpp>

#include <chrono>
#include <string>
#include <vector>

namespace platform {

enum class Bus { System, User };

// What one busctl call answered.
struct BusctlAnswer {
    bool succeeded = false;
    // The reply's "data": a property's value, or the array of a method's out arguments; null
    // when the reply carries nothing.
    nlohmann::json data;
    std::string error;  // why the call failed: busctl's own message, a timeout, or no JSON
};

// Calls busctl on a bus with JSON output. The arguments are busctl's verb and what follows it
// ("call", service, object, interface, method, signature, values ...); they all come after
// "--", so a value beginning with "-" (a volume label "-backup") stays a value and is never
// read as an option. The timeout bounds the bus call; the process gets a little longer, so
// busctl reports its own timeout.
BusctlAnswer busctl(Bus bus, const std::vector<std::string>& arguments, std::chrono::milliseconds timeout);

}  // namespace platform
