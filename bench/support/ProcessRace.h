#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace bench {

// One side of a race: a whole process, started from its arguments (the program first).
struct Contender {
    std::string name;
    std::vector<std::string> arguments;
};

// Times our program and a peer as whole processes, interleaved round by round (which of the
// two goes first alternates), each run after an untimed preparation (a fresh file, a dropped
// cache). A benchmark iteration is one round and its time is ours (the benchmark must use
// manual time). The ratio ours/peer of every round gives the spread: the counters hold its
// median, quartiles and extremes and the machine's 1-minute load at the first and last round,
// and a line saying all that is printed when the rounds are over, as other work on the
// machine moves both sides alike only while they take turns this closely.
class ProcessRace {
public:
    ProcessRace(std::string what, Contender ours, Contender peer);

    // Called before each run of either side, untimed; false skips the benchmark with an error.
    void setPreparation(std::function<bool()> prepare) { prepare_ = std::move(prepare); }
    // Variables added to both sides' environments.
    void setEnvironment(std::vector<std::pair<std::string, std::string>> environment) {
        environment_ = std::move(environment);
    }

    void run(benchmark::State& state) const;

    // Registers a benchmark of that name running the race over the given rounds.
    static void add(const std::string& name, int rounds, std::shared_ptr<ProcessRace> race);

    // This benchmark program again, with the given arguments: how our side runs as a process of
    // its own.
    static std::vector<std::string> ourselves(std::vector<std::string> arguments);
    // The machine's 1-minute load average; -1 when unknown.
    static double load();

private:
    // Seconds for one whole run of the contender; negative when it failed.
    double timedRun(const Contender& contender) const;

    std::string what_;
    Contender ours_;
    Contender peer_;
    std::function<bool()> prepare_;
    std::vector<std::pair<std::string, std::string>> environment_;
};

}  // namespace bench
