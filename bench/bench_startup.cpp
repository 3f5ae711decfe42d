// bench_startup [ROUNDS [APPLICATION]]: exec → main window mapped, for Duridove beside bare_window (a plain
// Qt window of the same size built with the same Qt), each started as a whole process, the two
// interleaved round by round with their order swapped every round, after one untimed start of
// each. Prints each program's median and quartiles, the per-round ratio's median and quartiles,
// and the machine's load before and after. APPLICATION (by default the Duridove beside this
// program) lets another build be timed; it must lie beside its shipped files too.
//
// A window counts as mapped when the X server reports it: this process listens for the root
// window's children being mapped and takes the first 940 by 620 one whose _NET_WM_PID is the
// started process. Run it on a server of its own, with no window manager:
//   xvfb-run -a -s "-screen 0 1280x800x24" build/bin/bench_startup 20
// Both programs start in a temporary home (HOME, the XDG folders and DURIDOVE_ROOT point into
// it), whose settings say the first launch is over, so the real home is never touched.

#include "core/kit/SettingsFile.h"

#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr uint16_t kWindowWidth = 940;
constexpr uint16_t kWindowHeight = 620;
constexpr auto kMapDeadline = std::chrono::seconds(30);
constexpr auto kExitDeadline = std::chrono::seconds(5);

std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

// Reports the mapping of the root window's children: every top-level window of a server
// without a window manager.
class MapWatcher {
public:
    MapWatcher() : connection(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(connection)) return;
        root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
        pidAtom = internAtom("_NET_WM_PID");
        cardinalAtom = internAtom("CARDINAL");
    }
    ~MapWatcher() { xcb_disconnect(connection); }
    MapWatcher(const MapWatcher&) = delete;
    MapWatcher& operator=(const MapWatcher&) = delete;

    bool connected() const { return !xcb_connection_has_error(connection); }

    // When the first window of the main window's size that belongs to pid was mapped; none
    // when none is by the deadline.
    std::optional<Clock::time_point> waitForMainWindow(pid_t pid, Clock::time_point deadline) {
        while (Clock::now() < deadline) {
            std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(nextEvent(deadline), &std::free);
            if (!event) continue;
            const Clock::time_point arrived = Clock::now();
            if ((event->response_type & ~0x80) != XCB_MAP_NOTIFY) continue;
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event.get())->window;
            if (isMainWindowSized(window) && pidOf(window) == pid) return arrived;
        }
        return std::nullopt;
    }

private:
    xcb_generic_event_t* nextEvent(Clock::time_point deadline) {
        if (xcb_generic_event_t* queued = xcb_poll_for_event(connection)) return queued;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd server{xcb_get_file_descriptor(connection), POLLIN, 0};
        if (poll(&server, 1, static_cast<int>(std::max<long long>(left.count(), 0))) <= 0) return nullptr;
        return xcb_poll_for_event(connection);
    }

    xcb_atom_t internAtom(const char* name) {
        const auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    bool isMainWindowSized(xcb_window_t window) {
        std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
            xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr), &std::free);
        return geometry && geometry->width == kWindowWidth && geometry->height == kWindowHeight;
    }

    pid_t pidOf(xcb_window_t window) {
        const auto cookie = xcb_get_property(connection, 0, window, pidAtom, cardinalAtom, 0, 1);
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(connection, cookie, nullptr), &std::free);
        if (!reply || xcb_get_property_value_length(reply.get()) != 4) return 0;
        return static_cast<pid_t>(*static_cast<uint32_t*>(xcb_get_property_value(reply.get())));
    }

    xcb_connection_t* connection;
    xcb_window_t root = 0;
    xcb_atom_t pidAtom = XCB_ATOM_NONE;
    xcb_atom_t cardinalAtom = XCB_ATOM_NONE;
};

// A temporary home for both programs, set in this process's environment so that they inherit
// it; removed at the end.
class TemporaryHome {
public:
    TemporaryHome() {
        std::string pattern = (fs::temp_directory_path() / "bench_startup.XXXXXX").string();
        folder = mkdtemp(pattern.data()) ? pattern : "";
        if (folder.empty()) return;
        for (const char* sub : {"home", "root/Users/demo", "config", "cache", "data", "runtime", "logs"})
            fs::create_directories(folder + "/" + sub);
        chmod((folder + "/runtime").c_str(), 0700);
        setenv("HOME", (folder + "/home").c_str(), 1);
        setenv("DURIDOVE_ROOT", (folder + "/root").c_str(), 1);
        setenv("USER", "demo", 1);
        setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
        setenv("XDG_CACHE_HOME", (folder + "/cache").c_str(), 1);
        setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", (folder + "/runtime").c_str(), 1);
    }
    ~TemporaryHome() {
        std::error_code ignored;
        if (!folder.empty()) fs::remove_all(folder, ignored);
    }
    TemporaryHome(const TemporaryHome&) = delete;
    TemporaryHome& operator=(const TemporaryHome&) = delete;

    bool made() const { return !folder.empty(); }
    std::string logPath(const std::string& program) const { return folder + "/logs/" + program + ".log"; }
    void printLog(const std::string& program) const {
        std::ifstream log(logPath(program));
        std::fprintf(stderr, "its output:\n%s", std::string(std::istreambuf_iterator<char>(log), {}).c_str());
    }

private:
    std::string folder;
};

struct Program {
    std::string name;
    std::string path;
    std::vector<double> milliseconds;
};

// Started in a process group of its own, its output in the log, so ending the group ends any
// helper it started too.
pid_t start(const Program& program, const std::string& log) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    char* argv[] = {const_cast<char*>(program.path.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program.path.c_str(), &actions, &attributes, argv, environ) != 0) pid = 0;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

void end(pid_t pid) {
    kill(-pid, SIGTERM);
    const Clock::time_point deadline = Clock::now() + kExitDeadline;
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            kill(-pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return;
        }
        usleep(1000);
    }
}

// Milliseconds from just before the exec to the main window's mapping; none when it failed.
std::optional<double> timeStart(MapWatcher& watcher, const Program& program, const TemporaryHome& home) {
    const Clock::time_point started = Clock::now();
    const pid_t pid = start(program, home.logPath(program.name));
    if (pid == 0) return std::nullopt;
    const auto mapped = watcher.waitForMainWindow(pid, started + kMapDeadline);
    end(pid);
    if (!mapped) return std::nullopt;
    return std::chrono::duration<double, std::milli>(*mapped - started).count();
}

// The value below which the given share of the sorted values lies, interpolated.
double quantile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    const double place = share * static_cast<double>(values.size() - 1);
    const size_t below = static_cast<size_t>(place);
    const size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (place - static_cast<double>(below));
}

void printSpread(const char* what, const std::vector<double>& values, const char* unit) {
    std::printf("%-28s median %8.3f%s   quartiles %8.3f%s .. %8.3f%s   range %8.3f%s .. %8.3f%s\n", what,
                quantile(values, 0.5), unit, quantile(values, 0.25), unit, quantile(values, 0.75), unit,
                quantile(values, 0.0), unit, quantile(values, 1.0), unit);
}

std::string besideThisProgram(const char* name) { return (fs::read_symlink("/proc/self/exe").parent_path() / name).string(); }

}  // namespace

int main(int argc, char* argv[]) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    MapWatcher watcher;
    if (!watcher.connected()) {
        std::fprintf(stderr, "no X server: run under xvfb-run -a -s \"-screen 0 1280x800x24\"\n");
        return 2;
    }
    TemporaryHome home;
    if (!home.made() || !core::SettingsFile::setValue("IsFristTime", "1")) {
        std::fprintf(stderr, "could not make the temporary home\n");
        return 2;
    }
    const std::string application = argc > 2 ? argv[2] : besideThisProgram("Duridove");
    std::vector<Program> programs{{"Duridove", application, {}},
                                  {"bare_window", besideThisProgram("bare_window"), {}}};
    const std::string loadBefore = loadAverage();
    for (const Program& program : programs) {
        if (!timeStart(watcher, program, home)) {
            std::fprintf(stderr, "%s showed no %dx%d window\n", program.path.c_str(), kWindowWidth, kWindowHeight);
            home.printLog(program.name);
            return 1;
        }
    }
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) {
        for (size_t turn = 0; turn < programs.size(); ++turn) {
            Program& program = programs[(turn + round) % programs.size()];
            const auto milliseconds = timeStart(watcher, program, home);
            if (!milliseconds) {
                std::fprintf(stderr, "%s showed no window in round %d\n", program.name.c_str(), round + 1);
                return 1;
            }
            program.milliseconds.push_back(*milliseconds);
        }
        ratios.push_back(programs[0].milliseconds.back() / programs[1].milliseconds.back());
    }
    std::printf("exec -> main window mapped, %d rounds, interleaved\n", rounds);
    for (const Program& program : programs) printSpread(program.name.c_str(), program.milliseconds, " ms");
    printSpread("Duridove / bare_window", ratios, "  ");
    std::printf("load average before %s, after %s (%ld processors)\n", loadBefore.c_str(), loadAverage().c_str(),
                sysconf(_SC_NPROCESSORS_ONLN));
    return 0;
}
