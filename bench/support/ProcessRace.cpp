#include "support/ProcessRace.h"

#include "platform/system/PosixProcessRunner.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace bench {
namespace {

// The value at a fraction of the way through sorted values, between neighbours.
double quantile(const std::vector<double>& sorted, double fraction) {
    const double position = fraction * static_cast<double>(sorted.size() - 1);
    const size_t below = static_cast<size_t>(position);
    const size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (sorted[above] - sorted[below]) * (position - static_cast<double>(below));
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return quantile(values, 0.5);
}

}  // namespace

ProcessRace::ProcessRace(std::string what, Contender ours, Contender peer)
    : what_(std::move(what)), ours_(std::move(ours)), peer_(std::move(peer)) {}

void ProcessRace::add(const std::string& name, int rounds, std::shared_ptr<ProcessRace> race) {
    benchmark::RegisterBenchmark(name.c_str(), [race](benchmark::State& state) { race->run(state); })
        ->Iterations(rounds)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

std::vector<std::string> ProcessRace::ourselves(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), std::filesystem::read_symlink("/proc/self/exe").string());
    return arguments;
}

double ProcessRace::load() {
    std::ifstream averages("/proc/loadavg");
    double oneMinute = -1;
    averages >> oneMinute;
    return averages ? oneMinute : -1;
}

double ProcessRace::timedRun(const Contender& contender) const {
    if (prepare_ && !prepare_()) return -1;
    platform::ProcessRequest request{contender.arguments, std::chrono::minutes(10)};
    request.environment = environment_;
    const auto start = std::chrono::steady_clock::now();
    const platform::ProcessResult result = platform::PosixProcessRunner().run(request);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (!result.succeeded()) {
        std::fprintf(stderr, "%s failed (%d): %s", contender.name.c_str(), result.exitStatus,
                     result.errorOutput.c_str());
        return -1;
    }
    return elapsed.count();
}

void ProcessRace::run(benchmark::State& state) const {
    std::vector<double> ourTimes, peerTimes, ratios;
    const double loadAtStart = load();
    for (auto _ : state) {
        const bool oursFirst = ourTimes.size() % 2 == 0;
        const double first = timedRun(oursFirst ? ours_ : peer_);
        const double second = first < 0 ? -1 : timedRun(oursFirst ? peer_ : ours_);
        if (second < 0) {
            state.SkipWithError(("a run failed: " + what_).c_str());
            return;
        }
        ourTimes.push_back(oursFirst ? first : second);
        peerTimes.push_back(oursFirst ? second : first);
        ratios.push_back(ourTimes.back() / peerTimes.back());
        state.SetIterationTime(ourTimes.back());
    }
    const double loadAtEnd = load();
    std::sort(ratios.begin(), ratios.end());
    state.counters["peer_s"] = median(peerTimes);
    state.counters["ratio"] = quantile(ratios, 0.5);
    state.counters["ratio_q1"] = quantile(ratios, 0.25);
    state.counters["ratio_q3"] = quantile(ratios, 0.75);
    state.counters["ratio_min"] = ratios.front();
    state.counters["ratio_max"] = ratios.back();
    state.counters["load0"] = loadAtStart;
    state.counters["load1"] = loadAtEnd;
    std::printf("%s: Duridove %.3f s, %s %.3f s (medians of %zu interleaved rounds): ratio %.2f "
                "(IQR %.2f-%.2f, min-max %.2f-%.2f); load %.2f -> %.2f\n",
                what_.c_str(), median(ourTimes), peer_.name.c_str(), median(peerTimes), ratios.size(),
                quantile(ratios, 0.5), quantile(ratios, 0.25), quantile(ratios, 0.75), ratios.front(), ratios.back(),
                loadAtStart, loadAtEnd);
}

}  // namespace bench
