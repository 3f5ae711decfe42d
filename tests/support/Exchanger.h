#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

namespace testsupport {

// A second thread that keeps exchanging two paths (renameat2 RENAME_EXCHANGE) until stopped, as
// a hostile local user racing a removal would: a folder with a look-alike, or with a link.
class Exchanger {
public:
    Exchanger(std::string first, std::string second);
    ~Exchanger();
    Exchanger(const Exchanger&) = delete;
    Exchanger& operator=(const Exchanger&) = delete;

    void stop();
    // How many exchanges succeeded: when odd, each path holds what the other held at the start.
    uint64_t exchanges() const { return exchanges_.load(); }

private:
    std::string first_;
    std::string second_;
    std::atomic<bool> done_{false};
    std::atomic<uint64_t> exchanges_{0};
    std::thread thread_;
};

}  // namespace testsupport
