#pragma once

#include "platform/privileged/PrivilegedSession.h"

#include <sys/types.h>

#include <mutex>
#include <vector>

namespace platform {

// A privileged session on Linux: "pkexec <our remover helper>" is started when the right is
// first needed (polkit asks the user) and kept running while the session lives; requests go to
// it over a socket. pkexec exits with 126 or 127 when the user cancels or is not authorised.
class PkexecPrivilegedSession : public PrivilegedSession {
public:
    static constexpr const char* kHelperName = "duridove-remover";

    PkexecPrivilegedSession() = default;
    // Another program line in place of pkexec and the helper (tests start the helper directly).
    explicit PkexecPrivilegedSession(std::vector<std::string> launcher);
    ~PkexecPrivilegedSession() override;

    Outcome authorize(int* status) override;
    bool isAuthorized() override;
    std::optional<Removal> removeItem(const PrivilegedProtocol::Request& request) override;
    bool release() override;

private:
    Outcome start(int* status);
    bool helperGone() const;
    bool sendAll(const std::string& bytes);
    bool receiveMore();
    bool readLine(std::string& line);
    bool readExactly(size_t length, std::string& into);
    // Closes the connection and waits for the helper; its exit status, or -1.
    int endHelper();

    std::vector<std::string> launcher_;
    std::mutex mutex_;
    int socket_ = -1;
    pid_t pid_ = -1;
    std::string received_;  // bytes read beyond what has been consumed
};

}  // namespace platform
