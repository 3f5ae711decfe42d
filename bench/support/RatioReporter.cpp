#include "support/RatioReporter.h"

#include <cstdio>

namespace bench {

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const auto& run : runs) {
        const bool median = run.aggregate_name == "median";
        if (run.error_occurred || (!median && !run.aggregate_name.empty()) || run.iterations == 0) continue;
        const std::string& name = run.run_name.function_name;
        if (median || !seconds_.count(name)) seconds_[name] = run.real_accumulated_time / double(run.iterations);
    }
}

double RatioReporter::seconds(const std::string& benchmark) const {
    const auto found = seconds_.find(benchmark);
    return found == seconds_.end() ? 0 : found->second;
}

void RatioReporter::printRatio(const char* what, const std::string& ours, const char* peer,
                               const std::string& theirs) const {
    const double oursSeconds = seconds(ours), theirSeconds = seconds(theirs);
    if (oursSeconds <= 0 || theirSeconds <= 0) return;
    std::printf("%s: Duridove %.3f s, %s %.3f s: Duridove takes %.2f of %s's time\n", what, oursSeconds, peer,
                theirSeconds, oursSeconds / theirSeconds, peer);
}

}  // namespace bench
