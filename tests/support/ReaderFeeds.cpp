#include "support/ReaderFeeds.h"

#include "core/browser/BrowserDiscovery.h"
#include "core/kit/CommUti.h"
#include "core/kit/VersionList.h"
#include "core/readings/CSMARTAttribute.h"
#include "helpers/diskutil/BlockDevice.h"
#include "platform/desktop/DesktopEntry.h"
#include "platform/desktop/UserApplicationRule.h"
#include "platform/hardware/HostStatistics.h"
#include "platform/hardware/UdisksSmart.h"
#include "platform/system/Busctl.h"
#include "platform/system/InputNesting.h"
#include "platform/system/PlistValue.h"
#include "platform/system/ProcStatLine.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace testsupport {
namespace {

using platform::PlistValue;

// Ends the process when a reader breaks a promise about what it keeps: a fuzz target reports
// that as a finding, and the suite's replay as a crash of the test.
void require(bool promise, const char* what) {
    if (promise) return;
    std::fprintf(stderr, "a reader broke its promise: %s\n", what);
    std::abort();
}

size_t nestingOf(const PlistValue& value) {
    size_t deepest = 0;
    for (const auto& item : value.array()) deepest = std::max(deepest, nestingOf(item));
    for (const auto& [key, item] : value.dictionary()) deepest = std::max(deepest, nestingOf(item));
    return value.isArray() || value.isDictionary() ? deepest + 1 : 0;
}

size_t nestingOf(const nlohmann::json& value) {
    size_t deepest = 0;
    if (value.is_structured())
        for (const auto& item : value) deepest = std::max(deepest, nestingOf(item));
    return value.is_structured() ? deepest + 1 : 0;
}

struct Feed {
    const char* reader;
    void (ReaderFeeds::*feed)(std::string_view);
};

const Feed kFeeds[] = {
    {"property-list", &ReaderFeeds::propertyList},
    {"desktop-entry", &ReaderFeeds::desktopEntry},
    {"version-list", &ReaderFeeds::versionList},
    {"chrome-preferences", &ReaderFeeds::chromePreferences},
    {"lsblk", &ReaderFeeds::lsblk},
    {"busctl", &ReaderFeeds::busctl},
    {"proc-stat", &ReaderFeeds::procStat},
    {"proc-meminfo", &ReaderFeeds::procMeminfo},
    {"smart-page", &ReaderFeeds::smartPage},
    {"size-text", &ReaderFeeds::sizeText},
};

const Feed* feedOf(const std::string& reader) {
    for (const Feed& feed : kFeeds)
        if (reader == feed.reader) return &feed;
    return nullptr;
}

}  // namespace

ReaderFeeds::ReaderFeeds() {
    environment_.folder().makeFolder("proc");
    environment_.folder().makeFolder("profile");
}

ReaderFeeds::~ReaderFeeds() = default;

std::vector<std::string> ReaderFeeds::readers() {
    std::vector<std::string> names;
    for (const Feed& feed : kFeeds) names.push_back(feed.reader);
    return names;
}

bool ReaderFeeds::knows(const std::string& reader) { return feedOf(reader) != nullptr; }

void ReaderFeeds::feed(const std::string& reader, std::string_view bytes) {
    const Feed* found = feedOf(reader);
    require(found != nullptr, "no reader of that name");
    (this->*found->feed)(bytes);
}

void ReaderFeeds::writeScratchFile(const std::string& relative, std::string_view bytes) const {
    std::ofstream(environment_.folder() / relative, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void ReaderFeeds::propertyList(std::string_view bytes) {
    const auto value = PlistValue::fromBytes(bytes);
    if (!value) return;
    require(nestingOf(*value) <= platform::kDeepestInputNesting, "a property list read nests past the limit");
    require(PlistValue::fromBytes(value->toXml()).has_value(), "a property list read cannot be read back once written");
}

void ReaderFeeds::desktopEntry(std::string_view bytes) {
    const auto entry = platform::DesktopEntry::parse(bytes);
    if (!entry) return;
    entry->localizedValue("Name", "zh_CN");
    entry->flag("NoDisplay");
    entry->execArguments();
    entry->execProgram();
    platform::UserApplicationRule::whyLeftOut(*entry);
    platform::UserApplicationRule::matchedProgramName(*entry);
    platform::UserApplicationRule::startedWithItsArguments(*entry, {"program", "--preferences", "%U"});
    require(platform::DesktopEntry::parse(entry->text()).has_value(), "a desktop entry read cannot be read back once written");
}

void ReaderFeeds::versionList(std::string_view bytes) { core::VersionList::fromBytes(std::string(bytes)); }

void ReaderFeeds::lsblk(std::string_view bytes) {
    const auto devices = BlockDevice::parseLsblk(std::string(bytes));
    if (!devices) return;
    for (const auto& device : *devices) device.isWholeDisk();
}

void ReaderFeeds::smartPage(std::string_view bytes) {
    core::CSMARTAttribute reader([](double, std::function<void()>) {});
    reader.PrintSMART(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

void ReaderFeeds::sizeText(std::string_view bytes) { core::CommUti::volSpaceFromString(std::string(bytes)); }

void ReaderFeeds::chromePreferences(std::string_view bytes) {
    writeScratchFile("profile/Preferences", bytes);
    core::browser::BrowserDiscovery::getChromeProfileNameFromPath(environment_.folder() / "profile");
}

void ReaderFeeds::busctl(std::string_view bytes) {
    auto runner = std::make_shared<FakeProcessRunner>();
    const std::vector<std::string> options = {"--system", "--json=short", "--timeout=3000ms", "--", "get-property",
                                              "org.freedesktop.UDisks2"};
    auto property = [&](const std::string& object, const std::string& interface, const std::string& name) {
        std::vector<std::string> arguments = options;
        arguments.insert(arguments.end(), {object, "org.freedesktop.UDisks2." + interface, name});
        return arguments;
    };
    runner->answer(property("/org/freedesktop/UDisks2/block_devices/sda", "Block", "Drive"), R"({"type":"o","data":"/d"})");
    runner->answer(property("/d", "Drive.Ata", "SmartSupported"), R"({"type":"b","data":true})");
    runner->answerEveryOther(std::string(bytes));
    ScopedProcessRunner installed(runner);

    const platform::BusctlAnswer answer =
        platform::busctl(platform::Bus::System, {"call", "org.example", "/", "org.example.Thing", "Get"}, std::chrono::seconds(1));
    const platform::BusctlAnswer copy = answer;
    require(nestingOf(copy.data) <= platform::kDeepestInputNesting, "busctl's answer kept nests past the limit");
    if (auto smart = platform::UdisksSmart::open("sda")) {
        std::vector<uint8_t> page;
        smart->SMARTReadData(page);
        smart->SMARTReadDataThresholds(page);
    }
}

void ReaderFeeds::procStat(std::string_view bytes) {
    writeScratchFile("proc/stat", bytes);
    platform::HostStatistics::processorTicks();
    if (auto line = platform::ProcStatLine::parse(bytes)) {
        line->parent();
        line->session();
        line->startTime();
    }
}

void ReaderFeeds::procMeminfo(std::string_view bytes) {
    writeScratchFile("proc/meminfo", bytes);
    writeScratchFile("proc/vmstat", bytes);
    platform::HostStatistics::vmStatistics(4096);
    platform::HostStatistics::physicalMemory();
}

}  // namespace testsupport
