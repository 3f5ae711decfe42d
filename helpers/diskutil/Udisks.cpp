#include "Udisks.h"

namespace {

constexpr const char* kService = "org.freedesktop.UDisks2";
constexpr const char* kManager = "/org/freedesktop/UDisks2/Manager";
constexpr const char* kInterfacePrefix = "org.freedesktop.UDisks2.";

// The first out argument of a method's answer, or a property's value, as text.
std::string textOf(const nlohmann::json& data) {
    const nlohmann::json* value = &data;
    while (value->is_array() && !value->empty()) value = &value->front();
    return value->is_string() ? value->get<std::string>() : "";
}

bool flagOf(const nlohmann::json& data) {
    const nlohmann::json* value = &data;
    while (value->is_array() && !value->empty()) value = &value->front();
    return value->is_boolean() && value->get<bool>();
}

Udisks::Answer answerOf(const platform::BusctlAnswer& reply) {
    Udisks::Answer answer;
    answer.succeeded = reply.succeeded;
    answer.error = reply.error;
    if (reply.succeeded) {
        answer.text = textOf(reply.data);
        answer.flag = flagOf(reply.data);
    }
    return answer;
}

}  // namespace

Udisks::Answer Udisks::call(const std::string& object, const std::string& interface, const std::string& method,
                            const std::vector<std::string>& signatureAndValues) const {
    std::vector<std::string> arguments = {"call", kService, object, kInterfacePrefix + interface, method};
    arguments.insert(arguments.end(), signatureAndValues.begin(), signatureAndValues.end());
    return answerOf(platform::busctl(platform::Bus::System, arguments, timeout_));
}

Udisks::Answer Udisks::blockObject(const std::string& devicePath) const {
    Answer answer = call(kManager, "Manager", "ResolveDevice", {"a{sv}a{sv}", "1", "path", "s", devicePath, "0"});
    if (answer.succeeded && answer.text.empty()) {
        answer.succeeded = false;
        answer.error = "udisks2 does not know " + devicePath;
    }
    return answer;
}

Udisks::Answer Udisks::property(const std::string& object, const std::string& interface,
                                const std::string& name) const {
    return answerOf(platform::busctl(platform::Bus::System,
                                     {"get-property", kService, object, kInterfacePrefix + interface, name}, timeout_));
}

Udisks::Answer Udisks::driveObject(const std::string& block) const {
    Answer answer = property(block, "Block", "Drive");
    if (answer.succeeded && (answer.text.empty() || answer.text == "/")) {
        answer.succeeded = false;
        answer.error = "the device belongs to no drive that can be ejected";
    }
    return answer;
}

Udisks::Answer Udisks::mount(const std::string& block) const { return call(block, "Filesystem", "Mount", {"a{sv}", "0"}); }

Udisks::Answer Udisks::unmount(const std::string& block) const {
    return call(block, "Filesystem", "Unmount", {"a{sv}", "0"});
}

Udisks::Answer Udisks::setLabel(const std::string& block, const std::string& label) const {
    return call(block, "Filesystem", "SetLabel", {"sa{sv}", label, "0"});
}

Udisks::Answer Udisks::check(const std::string& block) const { return call(block, "Filesystem", "Check", {"a{sv}", "0"}); }

Udisks::Answer Udisks::repair(const std::string& block) const {
    return call(block, "Filesystem", "Repair", {"a{sv}", "0"});
}

Udisks::Answer Udisks::format(const std::string& block, const std::string& type, const std::string& label) const {
    return call(block, "Block", "Format",
                {"sa{sv}", type, "2", "label", "s", label, "update-partition-type", "b", "true"});
}

Udisks::Answer Udisks::powerOff(const std::string& drive) const { return call(drive, "Drive", "PowerOff", {"a{sv}", "0"}); }

Udisks::Answer Udisks::eject(const std::string& drive) const { return call(drive, "Drive", "Eject", {"a{sv}", "0"}); }

bool Udisks::isLoop(const std::string& block) const { return property(block, "Loop", "BackingFile").succeeded; }

Udisks::Answer Udisks::deleteLoop(const std::string& block) const { return call(block, "Loop", "Delete", {"a{sv}", "0"}); }
