#include "core/browser/UserPath.h"

#include "core/kit/CommUti.h"
#include "platform/system/Environment.h"

namespace core::browser {

std::string fillTemplate(std::string_view text, const std::vector<std::string>& arguments) {
    std::string filled;
    size_t next = 0;
    for (size_t at = 0; at < text.size();) {
        if (text.compare(at, 2, "%@") == 0 && next < arguments.size()) {
            filled += arguments[next++];
            at += 2;
        } else {
            filled += text[at++];
        }
    }
    return filled;
}

std::string userPath(std::string_view text, const std::vector<std::string>& further) {
    std::vector<std::string> arguments{CommUti::userName()};
    arguments.insert(arguments.end(), further.begin(), further.end());
    return platform::Environment::current()->resolve(fillTemplate(text, arguments));
}

}  // namespace core::browser
