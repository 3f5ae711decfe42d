#include "platform/system/BoundedJson.h"

#include "platform/system/InputNesting.h"
#include "platform/system/Log.h"

namespace platform {
namespace {

// Thrown out of the parser's callback to end the parse at the first container too deep, so a
// long run of brackets costs neither the time nor the memory of reading on.
struct NestedTooDeeply {};

}  // namespace

std::optional<nlohmann::json> parseBoundedJson(std::string_view text, const std::string& origin) {
    using Event = nlohmann::json::parse_event_t;
    // The depth given is the number of containers around the one that starts.
    auto refuseDeepContainers = [](int depth, Event event, nlohmann::json&) {
        const bool starts = event == Event::object_start || event == Event::array_start;
        if (starts && static_cast<size_t>(depth) >= kDeepestInputNesting) throw NestedTooDeeply{};
        return true;
    };
    try {
        nlohmann::json value = nlohmann::json::parse(text.begin(), text.end(), refuseDeepContainers, false);
        if (value.is_discarded()) return std::nullopt;
        return std::optional<nlohmann::json>(std::move(value));
    } catch (const NestedTooDeeply&) {
        logWarning(origin + " nests deeper than " + std::to_string(kDeepestInputNesting) + " levels and is refused");
        return std::nullopt;
    }
}

}  // namespace platform
