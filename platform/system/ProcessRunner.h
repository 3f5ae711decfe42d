#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

struct ProcessRequest {
    std::vector<std::string> arguments;  // the program first; never a shell line
    std::chrono::milliseconds timeout{std::chrono::seconds(30)};
    std::string input;                   // written to the child's standard input, then closed
    std::vector<std::pair<std::string, std::string>> environment;  // added to or replacing ours
    // When set, called on the running thread with each piece of standard output or standard
    // error as it is read, for output shown while the child runs; both are still gathered whole.
    std::function<void(const std::string& piece)> onOutput;
};

struct ProcessResult {
    bool started = false;
    bool timedOut = false;
    int exitStatus = -1;   // the exit code, or -1 when the child did not exit by itself
    int signal = 0;        // the signal that ended it, if any
    std::string output;
    std::string errorOutput;

    bool succeeded() const { return started && !timedOut && exitStatus == 0; }
};

// Runs a child process to its end: its output is read to the end before it is reaped, and a
// child that outlives its timeout is killed with its whole process group.
class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;
    virtual ProcessResult run(const ProcessRequest& request) = 0;

    static std::shared_ptr<ProcessRunner> shared();
    static void setShared(std::shared_ptr<ProcessRunner> runner);
};

// The program's full path, searched in PATH when it has no "/"; "" when it is not found.
std::string findExecutable(const std::string& program);

// This process's environment as "NAME=value" texts, with the variables added or replacing ours.
std::vector<std::string> environmentWith(const std::vector<std::pair<std::string, std::string>>& variables);

}  // namespace platform
