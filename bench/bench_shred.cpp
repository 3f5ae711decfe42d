// The secure eraser's passes against GNU shred on the same 1 GiB file: the zero pass against
// "shred -n 0 -z -x" and one random pass against "shred -n 1 -x". Each run starts with the
// file flushed and out of the page cache. After the runs, the ratios are printed (above 1.0
// means the eraser is faster). The file lives in a fresh folder under $TMPDIR (default /tmp).

#include "core/shredder/SecureEraser.h"
#include "platform/files/FileDescriptor.h"
#include "platform/system/PosixProcessRunner.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <vector>

namespace {

constexpr uint64_t fileSize = uint64_t{1} << 30;

// A fresh folder holding one file of fileSize bytes with content on the device.
class BenchFile {
public:
    BenchFile() {
        std::string pattern = (std::filesystem::temp_directory_path() / "duridove-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        folder_ = pattern;
        path_ = folder_ + "/victim.bin";
        platform::FileDescriptor file(open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
        std::vector<char> chunk(core::SecureEraser::chunkSize, 'x');
        for (uint64_t written = 0; written < fileSize; written += chunk.size())
            if (write(file.get(), chunk.data(), chunk.size()) != static_cast<ssize_t>(chunk.size()))
                throw std::runtime_error("cannot write the benchmark file");
        settle();
    }
    ~BenchFile() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    const std::string& path() const { return path_; }

    // Flushes the file and drops it from the cache, so every run starts alike.
    void settle() const {
        platform::FileDescriptor file(open(path_.c_str(), O_RDONLY | O_CLOEXEC));
        fdatasync(file.get());
        posix_fadvise(file.get(), 0, 0, POSIX_FADV_DONTNEED);
    }

private:
    std::string folder_;
    std::string path_;
};

BenchFile& benchFile() {
    static BenchFile file;
    return file;
}

void erasePass(benchmark::State& state, int pass) {
    BenchFile& file = benchFile();
    core::SecureEraser eraser;
    for (auto _ : state) {
        state.PauseTiming();
        file.settle();
        platform::FileDescriptor target(open(file.path().c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        state.ResumeTiming();
        if (!eraser.writePass(target.get(), {{0, fileSize}}, pass)) state.SkipWithError("the pass failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fileSize));
}

void shredPass(benchmark::State& state, std::vector<std::string> arguments) {
    BenchFile& file = benchFile();
    platform::PosixProcessRunner runner;
    arguments.push_back(file.path());
    for (auto _ : state) {
        state.PauseTiming();
        file.settle();
        state.ResumeTiming();
        if (!runner.run({arguments, std::chrono::minutes(10)}).succeeded()) state.SkipWithError("shred failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fileSize));
}

void BM_ZeroPass_Eraser(benchmark::State& state) { erasePass(state, 0); }
void BM_ZeroPass_Shred(benchmark::State& state) { shredPass(state, {"shred", "-n", "0", "-z", "-x"}); }
void BM_RandomPass_Eraser(benchmark::State& state) { erasePass(state, 1); }
void BM_RandomPass_Shred(benchmark::State& state) { shredPass(state, {"shred", "-n", "1", "-x"}); }

BENCHMARK(BM_ZeroPass_Eraser)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ZeroPass_Shred)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_RandomPass_Eraser)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_RandomPass_Shred)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The console report, with each run's mean time per pass kept for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs)
            if (!run.error_occurred) seconds[run.benchmark_name()] = run.real_accumulated_time / double(run.iterations);
    }
    std::map<std::string, double> seconds;
};

void printRatio(const RatioReporter& reporter, const std::string& name, const std::string& ours, const std::string& theirs) {
    auto our = reporter.seconds.find(ours);
    auto their = reporter.seconds.find(theirs);
    if (our == reporter.seconds.end() || their == reporter.seconds.end()) return;
    std::printf("%-12s eraser %.3f s, shred %.3f s: speed ratio eraser/shred %.2f\n", name.c_str(), our->second,
                their->second, their->second / our->second);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatio(reporter, "zero pass", "BM_ZeroPass_Eraser/iterations:3/real_time", "BM_ZeroPass_Shred/iterations:3/real_time");
    printRatio(reporter, "random pass", "BM_RandomPass_Eraser/iterations:3/real_time",
               "BM_RandomPass_Shred/iterations:3/real_time");
    benchmark::Shutdown();
    return 0;
}
