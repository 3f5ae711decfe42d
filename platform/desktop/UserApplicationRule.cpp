#include "platform/desktop/UserApplicationRule.h"

#include "platform/files/PathText.h"
#include "platform/system/KernelFiles.h"
#include "platform/system/ProcStatLine.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <limits>
#include <sstream>

namespace platform {
namespace {

// A mark of an entry that is no application of the user's: the key, and the value that marks it
// ("true", an item of a ";" list, or nullptr for any value at all).
struct EntryMark {
    const char* key;
    const char* value;
    const char* reason;
};

const std::array<EntryMark, 7> kEntryMarks = {{
    {"Hidden", "true", "the entry was deleted"},
    {"NoDisplay", "true", "the menus never show it (window managers, shells, helpers)"},
    {"Categories", "Core", "a core part of the desktop"},
    {"X-GNOME-Provides", nullptr, "it fills a role of the session (window manager, panel)"},
    {"X-GNOME-Autostart-Phase", nullptr, "the session manager starts it as a step of the session"},
    {"X-KDE-autostart-phase", nullptr, "Plasma starts it as a step of the session"},
    {"X-LXQt-Module", "true", "a module of the LXQt session"},
}};

// Programs that only run what their arguments name: matching them would take every shell or
// script for the application.
const std::array<const char*, 10> kInterpreters = {"sh", "bash", "dash", "env", "python", "python3",
                                                   "perl", "java", "flatpak", "snap"};

bool listHolds(const std::string& list, const std::string& item) {
    std::istringstream items(list);
    for (std::string each; std::getline(items, each, ';');)
        if (each == item) return true;
    return false;
}

bool carries(const DesktopEntry& entry, const EntryMark& mark) {
    const std::string value = entry.value(mark.key);
    if (!mark.value) return !value.empty();
    return value == mark.value || listHolds(value, mark.value);
}

bool isInterpreter(const std::string& programName) {
    return std::any_of(kInterpreters.begin(), kInterpreters.end(),
                       [&](const char* name) { return programName == name; });
}

// An argument the launcher replaces with files, links or the entry's own facts: %f, %U, %i, ...
bool holdsFieldCode(const std::string& argument) {
    const auto percent = argument.find('%');
    return percent != std::string::npos && percent + 1 < argument.size() &&
           std::string_view("fFuUdDnNickvm").find(argument[percent + 1]) != std::string_view::npos;
}

std::optional<pid_t> positivePid(std::optional<uint64_t> number) {
    if (!number || *number == 0 || *number > static_cast<uint64_t>(std::numeric_limits<pid_t>::max())) return std::nullopt;
    return static_cast<pid_t>(*number);
}

std::string linkText(const std::string& path) {
    std::array<char, 64> buffer{};
    const ssize_t length = readlink(path.c_str(), buffer.data(), buffer.size() - 1);
    return length > 0 ? std::string(buffer.data(), static_cast<size_t>(length)) : std::string();
}

}  // namespace

std::optional<std::string> UserApplicationRule::whyLeftOut(const DesktopEntry& entry) {
    for (const EntryMark& mark : kEntryMarks)
        if (carries(entry, mark)) return std::string(mark.key) + ": " + mark.reason;
    return std::nullopt;
}

std::string UserApplicationRule::matchedProgramName(const DesktopEntry& entry) {
    if (entry.flag("Terminal") || entry.value("Type") != "Application") return "";
    std::string program = lastPathComponent(entry.execProgram());
    return isInterpreter(program) ? std::string() : program;
}

bool UserApplicationRule::startedWithItsArguments(const DesktopEntry& entry,
                                                  const std::vector<std::string>& processArguments) {
    const std::vector<std::string> command = entry.execCommand();
    if (command.empty()) return false;
    const auto given = processArguments.empty() ? processArguments.end() : processArguments.begin() + 1;
    return std::all_of(command.begin() + 1, command.end(), [&](const std::string& argument) {
        return holdsFieldCode(argument) || std::find(given, processArguments.end(), argument) != processArguments.end();
    });
}

UserApplicationRule::UserApplicationRule(const std::string& procRoot) {
    const std::string self = joinPath(procRoot, "self");
    ownProcess = positivePid(parseUnsignedNumber(linkText(self)));
    auto text = readKernelFile(joinPath(self, "stat"));
    auto stat = text ? ProcStatLine::parse(*text) : std::nullopt;
    sessionLeader = positivePid(stat ? stat->session() : std::nullopt);
}

bool UserApplicationRule::isSessionsOwnProcess(pid_t pid) const { return pid == ownProcess || pid == sessionLeader; }

}  // namespace platform
