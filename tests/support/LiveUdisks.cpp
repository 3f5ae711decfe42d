#include "support/LiveUdisks.h"

#include "helpers/diskutil/Udisks.h"
#include "platform/system/Busctl.h"
#include "platform/system/PosixProcessRunner.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <thread>

using namespace std::chrono_literals;

namespace testsupport {
namespace {

constexpr const char* kLockName = "duridove-live-udisks.lock";
// How long a service may take to come up, or udisks2 to take in a device's events.
constexpr auto kReadiness = 60s;
constexpr auto kPoll = 50ms;

// What udev and udisks2 make on a machine where they did not run before.
const std::vector<std::string>& serviceLeftovers() {
    static const std::vector<std::string> paths = {"/run/udev", "/dev/disk", "/run/udisks2", "/var/lib/udisks2"};
    return paths;
}
// Made by udisks2's first mount, and only removed while empty.
constexpr const char* kMountFolder = "/media/root";

// Waits (ten seconds at most) for the processes $1 to end, then removes the folder $2 if it
// is empty and the paths after it whole.
constexpr const char* kLeftoverScript = R"script(
for pid in $1; do
  for _ in $(seq 100); do kill -0 "$pid" || break; sleep 0.1; done
done
[ -z "$2" ] || rmdir "$2"
shift 2
rm -rf -- "$@")script";

// Where every test run on the machine finds the lock, whatever its temporary folder.
std::string lockPath() {
    std::error_code error;
    return std::string(std::filesystem::is_directory("/run/lock", error) ? "/run/lock/" : "/tmp/") + kLockName;
}

std::string firstExisting(std::initializer_list<const char*> paths) {
    for (const char* path : paths)
        if (access(path, X_OK) == 0) return path;
    return "";
}

std::string udisksdPath() { return firstExisting({"/usr/libexec/udisks2/udisksd", "/usr/lib/udisks2/udisksd"}); }
std::string udevdPath() { return firstExisting({"/lib/systemd/systemd-udevd", "/usr/lib/systemd/systemd-udevd"}); }

bool succeeds(std::vector<std::string> arguments) {
    return platform::PosixProcessRunner().run({std::move(arguments), 90s}).succeeded();
}

bool udevRuns() { return succeeds({"udevadm", "control", "--ping"}); }

bool udisksAnswers() { return Udisks(5s).property("/org/freedesktop/UDisks2/Manager", "Manager", "Version").succeeded; }

bool busAnswers() {
    return platform::busctl(platform::Bus::System,
                            {"call", "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetId"}, 5s)
        .succeeded;
}

// Polls until the condition holds or the service it waits for has ended.
bool waitFor(const std::function<bool()>& condition, ServiceProcess* service = nullptr) {
    const auto deadline = std::chrono::steady_clock::now() + kReadiness;
    while (!condition()) {
        if ((service && !service->running()) || std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(kPoll);
    }
    return true;
}

std::string udisksTypeOf(const std::string& device) {
    const Udisks udisks(5s);
    Udisks::Answer block = udisks.blockObject(device);
    return block.succeeded ? udisks.property(block.text, "Block", "IdType").text : "";
}

// A bus open to every local process of the machine's root, standing for the system bus.
std::string busConfiguration(const std::string& socket) {
    return R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=)" + socket + R"(</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="root"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";
}

}  // namespace

std::string LiveUdisks::whyNotHere() {
    if (udisksAnswers()) return "";
    if (platform::findExecutable("dbus-daemon").empty()) return "dbus-daemon is not installed";
    if (udisksdPath().empty()) return "udisksd is not installed";
    if (platform::findExecutable("udevadm").empty()) return "udevadm is not installed";
    if (udevdPath().empty() && !udevRuns()) return "no udev daemon runs and systemd-udevd is not installed";
    return "";
}

LiveUdisks::LiveUdisks(const TempFolder& folder) {
    // Every process started from here on holds the lock with us, so the next set starts only
    // once all of this one (its leftover watcher too) has ended.
    lock_ = open(lockPath().c_str(), O_RDWR | O_CREAT, 0600);
    if (lock_ < 0 || flock(lock_, LOCK_EX) != 0) {
        failure_ = "cannot take " + lockPath();
        return;
    }
    if (udisksAnswers()) return;
    const std::vector<std::string> absent = absentLeftovers();
    startOwnServices(folder);
    watchLeftovers(absent);
}

LiveUdisks::~LiveUdisks() {
    udisksd_.reset();
    udevd_.reset();
    bus_.reset();
    leftovers_.reset();
    systemBusAddress_.reset();
    if (lock_ >= 0) close(lock_);
}

void LiveUdisks::startOwnServices(const TempFolder& folder) {
    const std::string socket = folder / "system_bus_socket";
    const std::string configuration = folder.writeFile("system-bus.conf", busConfiguration(socket));
    systemBusAddress_ = std::make_unique<ScopedVariable>("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + socket);
    bus_ = std::make_unique<ServiceProcess>(
        std::vector<std::string>{platform::findExecutable("dbus-daemon"), "--nofork", "--nopidfile",
                                 "--config-file=" + configuration},
        folder / "dbus-daemon.log");
    if (!waitFor(busAnswers, bus_.get())) {
        failure_ = "the test's system bus did not come up" + logsOfStarted();
        return;
    }
    if (!udevRuns() && !startUdevd(folder)) return;
    udisksd_ = std::make_unique<ServiceProcess>(std::vector<std::string>{udisksdPath(), "--no-sigint"},
                                                folder / "udisksd.log");
    if (!waitFor(udisksAnswers, udisksd_.get())) failure_ = "udisksd did not come up" + logsOfStarted();
}

void LiveUdisks::watchLeftovers(std::vector<std::string> absent) {
    std::string pids;
    for (const auto* service : started()) pids += std::to_string(service->pid()) + " ";
    absent.insert(absent.begin(), pids);
    leftovers_ = std::make_unique<DeathWatcher>(kLeftoverScript, absent);
}

bool LiveUdisks::startUdevd(const TempFolder& folder) {
    udevd_ = std::make_unique<ServiceProcess>(std::vector<std::string>{udevdPath()}, folder / "systemd-udevd.log");
    if (waitFor(udevRuns, udevd_.get())) return true;
    failure_ = "systemd-udevd did not come up" + logsOfStarted();
    return false;
}

std::string LiveUdisks::announce(const std::string& device, const std::string& fsType) {
    if (!succeeds({"udevadm", "trigger", "--action=add", device}))
        return "udevadm cannot replay the events of " + device;
    if (!succeeds({"udevadm", "settle", "--timeout=60"})) return "udev did not settle";
    if (!waitFor([&] { return udisksTypeOf(device) == fsType; }, udisksd_.get()))
        return "udisks2 does not show " + device + " as " + fsType + logsOfStarted();
    return "";
}

// The mount folder first ("" when it is there), then the others.
std::vector<std::string> LiveUdisks::absentLeftovers() {
    std::error_code error;
    std::vector<std::string> absent = {std::filesystem::exists(kMountFolder, error) ? "" : kMountFolder};
    for (const auto& path : serviceLeftovers())
        if (!std::filesystem::exists(path, error)) absent.push_back(path);
    return absent;
}

std::vector<ServiceProcess*> LiveUdisks::started() const {
    std::vector<ServiceProcess*> services;
    for (auto* service : {bus_.get(), udevd_.get(), udisksd_.get()})
        if (service) services.push_back(service);
    return services;
}

std::string LiveUdisks::logsOfStarted() const {
    std::string logs;
    for (const auto* service : started())
        logs += "\n--- process " + std::to_string(service->pid()) + ":\n" + service->log();
    return logs;
}

}  // namespace testsupport
