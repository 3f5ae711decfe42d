#include "support/OpenLedger.h"

#include <cerrno>

namespace testsupport {
namespace {

class LedgerAlgorithm : public core::algorithm {
public:
    LedgerAlgorithm(const std::atomic<bool>* stop, OpenLedger& ledger) : algorithm(stop), ledger_(ledger) {}

protected:
    int openForReading(const std::string& path) override {
        if (ledger_.opening(path)) return algorithm::openForReading(path);
        errno = EACCES;
        return -1;
    }

private:
    OpenLedger& ledger_;
};

}  // namespace

int OpenLedger::count(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = opens_.find(path);
    return found == opens_.end() ? 0 : found->second;
}

int OpenLedger::total() {
    std::lock_guard<std::mutex> lock(mutex_);
    int sum = 0;
    for (const auto& opened : opens_) sum += opened.second;
    return sum;
}

core::AlgorithmFactory OpenLedger::factory() {
    return [this](const std::atomic<bool>* stop) { return std::make_unique<LedgerAlgorithm>(stop, *this); };
}

bool OpenLedger::opening(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    const int count = ++opens_[path];
    if (onOpen) onOpen(path, count);
    return failing.count(path) == 0;
}

}  // namespace testsupport
