#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace testsupport {

// A service program (a daemon kept in the foreground) started for a test and ended with it:
// stopped by its process id when the object goes, and sent SIGTERM by the kernel should the
// test process die first, so that a failed or interrupted test leaves nothing running. What it
// prints goes to a log file.
class ServiceProcess {
public:
    // The program is named by its full path; it inherits the test's environment.
    ServiceProcess(const std::vector<std::string>& arguments, const std::string& logPath);
    ~ServiceProcess();
    ServiceProcess(const ServiceProcess&) = delete;
    ServiceProcess& operator=(const ServiceProcess&) = delete;

    bool running();
    pid_t pid() const { return pid_; }
    // What it printed so far, for a failure's message.
    std::string log() const;

private:
    void stop();

    pid_t pid_ = -1;
    bool reaped_ = false;
    std::string logPath_;
};

}  // namespace testsupport
