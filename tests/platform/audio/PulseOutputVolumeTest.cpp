#include "platform/audio/PulseOutputVolume.h"
#include "platform/system/PosixProcessRunner.h"

#include "support/ScopedVariable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using testsupport::ScopedVariable;

namespace {

// A PulseAudio server of the test's own, with one null sink, answering on a socket in a
// temporary folder; its home and runtime folders are there too, so nothing reaches the
// user's own sound server or files. Stopped (and reaped) when the test ends.
class ThrowawayPulseServer {
public:
    ThrowawayPulseServer() : socket_(folder_ / "pulse.sock") {
        const std::string program = platform::findExecutable("pulseaudio");
        if (program.empty()) {
            whyNot_ = "pulseaudio is not installed";
            return;
        }
        const std::string runtime = folder_.makeFolder("run");
        chmod(runtime.c_str(), 0700);
        const std::string home = folder_.makeFolder("home");
        const std::string logFile = folder_ / "server.log";
        // Everything the child needs is made before the fork: it only opens, duplicates and execs.
        const std::string homeVariable = "HOME=" + home, runtimeVariable = "XDG_RUNTIME_DIR=" + runtime,
                          configVariable = "XDG_CONFIG_HOME=" + home;
        const std::string unixModule = "module-native-protocol-unix auth-anonymous=1 socket=" + socket_;
        const char* arguments[] = {program.c_str(), "-n", "--daemonize=no", "--use-pid-file=no",
                                   "--exit-idle-time=-1", "--log-target=stderr", "-L",
                                   "module-null-sink sink_name=duridove_test", "-L", unixModule.c_str(), nullptr};
        const char* environment[] = {homeVariable.c_str(), runtimeVariable.c_str(), configVariable.c_str(),
                                     "PATH=/usr/bin:/bin", nullptr};
        pid_ = fork();
        if (pid_ == 0) {
            int log = open(logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(log, STDOUT_FILENO);
            dup2(log, STDERR_FILENO);
            execve(program.c_str(), const_cast<char**>(arguments), const_cast<char**>(environment));
            _exit(127);
        }
        if (pid_ < 0) {
            whyNot_ = "fork failed";
            return;
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        struct stat status;
        while (stat(socket_.c_str(), &status) != 0 && std::chrono::steady_clock::now() < deadline) {
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                whyNot_ = "pulseaudio ended at once: " + testsupport::readWholeFile(logFile);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (stat(socket_.c_str(), &status) != 0) whyNot_ = "pulseaudio made no socket within 10 s";
    }
    ~ThrowawayPulseServer() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }

    const std::string& whyNot() const { return whyNot_; }
    std::string address() const { return "unix:" + socket_; }
    const testsupport::TempFolder& folder() const { return folder_; }

    std::string pactl(const std::vector<std::string>& arguments) const {
        platform::ProcessRequest request;
        request.arguments = {"pactl"};
        request.arguments.insert(request.arguments.end(), arguments.begin(), arguments.end());
        request.environment = {{"PULSE_SERVER", address()}, {"HOME", folder_ / "home"}};
        return platform::PosixProcessRunner().run(request).output;
    }

private:
    testsupport::TempFolder folder_;
    std::string socket_;
    pid_t pid_ = -1;
    std::string whyNot_;
};

// The client side looks for the server, cookie and settings only in the test's folder.
struct ClientOf {
    explicit ClientOf(const std::string& address, const testsupport::TempFolder& folder)
        : server("PULSE_SERVER", address), cookie("PULSE_COOKIE", folder / "cookie"),
          home("HOME", folder / "home"), config("XDG_CONFIG_HOME", folder / "home") {}
    ScopedVariable server, cookie, home, config;
};

}  // namespace

TEST(PulseOutputVolume, RoundTripWithARealServer) {
    ThrowawayPulseServer server;
    if (!server.whyNot().empty()) GTEST_SKIP() << "no throwaway sound server: " << server.whyNot();
    ClientOf client(server.address(), server.folder());
    platform::PulseOutputVolume output;

    const uint32_t device = output.defaultOutputDeviceID();
    ASSERT_NE(device, 0u);
    EXPECT_TRUE(output.canSetVolume(device));
    ASSERT_TRUE(output.setVolume(device, 0.5));
    EXPECT_NEAR(output.volume(device).value_or(-1), 0.5, 0.001);

    ASSERT_TRUE(output.setMute(device, true));
    EXPECT_NE(server.pactl({"get-sink-mute", "duridove_test"}).find("yes"), std::string::npos);
    ASSERT_TRUE(output.setMute(device, false));
    EXPECT_NE(server.pactl({"get-sink-mute", "duridove_test"}).find("no"), std::string::npos);

    // Louder than normal reads as full, never as nothing.
    server.pactl({"set-sink-volume", "duridove_test", "150%"});
    EXPECT_EQ(output.volume(device), 1.0);
    EXPECT_FALSE(output.setVolume(device, 1.5));
}

TEST(PulseOutputVolume, NoServerMeansNoDevice) {
    testsupport::TempFolder folder;
    ClientOf client("unix:" + (folder / "nothing-here"), folder);
    platform::PulseOutputVolume output;
    EXPECT_EQ(output.defaultOutputDeviceID(), 0u);
    EXPECT_FALSE(output.volume(1));
    EXPECT_FALSE(output.setMute(1, true));
}
