#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace bench {

// The console report, with each benchmark's time per iteration kept (the median where runs
// are repeated) for the ratios printed afterwards.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    // Seconds per iteration; 0 when the benchmark did not run or failed.
    double seconds(const std::string& benchmark) const;

    // "<what>: Duridove 0.123 s, gdu 0.456 s: Duridove takes 0.27 of gdu's time"; nothing when
    // either did not run.
    void printRatio(const char* what, const std::string& ours, const char* peer, const std::string& theirs) const;

private:
    std::map<std::string, double> seconds_;
};

}  // namespace bench
