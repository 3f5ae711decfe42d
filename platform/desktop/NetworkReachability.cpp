#include "platform/desktop/NetworkReachability.h"

#include "platform/system/Environment.h"
#include "platform/system/KernelFiles.h"
#include "platform/files/PathText.h"

#include <charconv>
#include <sstream>
#include <vector>

namespace platform {
namespace {

constexpr unsigned long kRouteUp = 0x0001;      // RTF_UP
constexpr unsigned long kRouteReject = 0x0200;  // RTF_REJECT: an "unreachable" route
constexpr unsigned long kInterfaceUp = 0x1;     // IFF_UP

std::vector<std::string> fields(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

bool hexNumber(const std::string& text, unsigned long* value) {
    std::string_view digits = text;
    if (digits.substr(0, 2) == "0x") digits.remove_prefix(2);
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), *value, 16);
    return error == std::errc() && end == digits.data() + digits.size() && !digits.empty();
}

bool isAllZero(const std::string& hex) { return hex.find_first_not_of('0') == std::string::npos; }

bool isUsableRoute(const std::string& flagsText, const std::string& interfaceName) {
    unsigned long flags = 0;
    if (!hexNumber(flagsText, &flags)) return false;
    return (flags & kRouteUp) && !(flags & kRouteReject) && interfaceName != "lo";
}

template <class Check>
bool anyDefaultRoute(const std::string& table, Check isDefaultRoute) {
    std::istringstream lines(readKernelFile(table).value_or(""));
    for (std::string line; std::getline(lines, line);) {
        std::string interfaceName;
        if (isDefaultRoute(line, &interfaceName) && NetworkReachability::isInterfaceUp(interfaceName))
            return true;
    }
    return false;
}

}  // namespace

// Iface Destination Gateway Flags RefCnt Use Metric Mask MTU Window IRTT
bool NetworkReachability::isUsableIPv4DefaultRoute(const std::string& line, std::string* interfaceName) {
    auto words = fields(line);
    if (words.size() < 8 || !isAllZero(words[1]) || !isAllZero(words[7])) return false;
    *interfaceName = words[0];
    return isUsableRoute(words[3], words[0]);
}

// Destination PrefixLength Source SourcePrefixLength NextHop Metric RefCnt Use Flags Iface
bool NetworkReachability::isUsableIPv6DefaultRoute(const std::string& line, std::string* interfaceName) {
    auto words = fields(line);
    if (words.size() < 10 || words[0].size() != 32 || !isAllZero(words[0]) || !isAllZero(words[1]))
        return false;
    *interfaceName = words[9];
    return isUsableRoute(words[8], words[9]);
}

bool NetworkReachability::isInterfaceUp(const std::string& interfaceName) {
    if (interfaceName.empty() || interfaceName.find('/') != std::string::npos) return false;
    std::string folder = joinPath(Environment::current()->sysRoot(), "class/net/" + interfaceName);
    unsigned long flags = 0;
    auto flagsText = readKernelAttribute(joinPath(folder, "flags"));
    if (!flagsText || !hexNumber(*flagsText, &flags) || !(flags & kInterfaceUp)) return false;
    std::string state = readKernelAttribute(joinPath(folder, "operstate")).value_or("");
    return state == "up" || state == "unknown";
}

bool NetworkReachability::isReachable() {
    const std::string proc = Environment::current()->procRoot();
    return anyDefaultRoute(joinPath(proc, "net/route"), isUsableIPv4DefaultRoute) ||
           anyDefaultRoute(joinPath(proc, "net/ipv6_route"), isUsableIPv6DefaultRoute);
}

}  // namespace platform
