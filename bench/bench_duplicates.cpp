// The duplicate finder's hot paths and a whole search against its Debian peers.
// - CRC-64 throughput on one core: the fast (ISA-L) version and the byte-at-a-time table.
// - A whole search of a generated tree (20,000 files, about 3 GB, a tenth of them in groups of
//   2 to 5 copies, a few files sharing size and first 8 KiB with another but differing later;
//   no empty files and no links) against "jdupes -r" and "rdfind" on a warm cache. Afterwards
//   the time ratios are printed, and the groups found are checked against jdupes' groups and
//   against the copies the generator made. The tree lives in the runtime folder and is removed
//   at the end.

#include "core/duplicates/DuplicateFilesOpt.h"
#include "core/duplicates/crc.h"
#include "platform/system/Environment.h"
#include "platform/files/FileDescriptor.h"
#include "platform/system/Log.h"
#include "platform/files/PathText.h"
#include "platform/system/PosixProcessRunner.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

using GroupSet = std::set<std::vector<std::string>>;

// ---- CRC-64 throughput ----------------------------------------------------------------

std::vector<unsigned char> crcInput() {
    std::vector<unsigned char> data(1u << 20);
    std::mt19937_64 generator(1);
    for (auto& byte : data) byte = static_cast<unsigned char>(generator());
    return data;
}

void BM_Crc64_Isal(benchmark::State& state) {
    const auto data = crcInput();
    for (auto _ : state) benchmark::DoNotOptimize(core::crc::crc64(data.data(), data.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
}

void BM_Crc64_Table(benchmark::State& state) {
    const auto data = crcInput();
    for (auto _ : state) benchmark::DoNotOptimize(core::crc::crc64BufferByTable(data.data(), data.size(), true, 0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
}

BENCHMARK(BM_Crc64_Isal);
BENCHMARK(BM_Crc64_Table);

// ---- the generated tree -----------------------------------------------------------------

constexpr int fileCount = 20000;
constexpr int groupedFiles = fileCount / 10;
constexpr int nearCopies = 20;
constexpr std::uint64_t nearSharedHead = 8192;

// Fills a buffer with bytes fixed by the seed, eight at a time (splitmix64).
void fillContent(std::vector<char>& buffer, std::uint64_t seed) {
    std::uint64_t state = seed * 0x9E3779B97F4A7C15ull + 1;
    for (std::size_t offset = 0; offset < buffer.size(); offset += 8) {
        std::uint64_t value = (state += 0x9E3779B97F4A7C15ull);
        value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
        value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
        value ^= value >> 31;
        std::memcpy(buffer.data() + offset, &value, std::min<std::size_t>(8, buffer.size() - offset));
    }
}

class DuplicateTree {
public:
    DuplicateTree() {
        const std::string runtime = platform::Environment::current()->runtimeFolder();
        if (runtime.empty()) throw std::runtime_error("no runtime folder");
        std::string pattern = platform::joinPath(runtime, "bench-duplicates-XXXXXX");
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        root_ = pattern;
        folder_ = platform::joinPath(root_, "tree");
        generate();
        sync();
        readEverything();
    }
    ~DuplicateTree() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    const std::string& folder() const { return folder_; }
    const std::string& root() const { return root_; }
    const GroupSet& madeGroups() const { return madeGroups_; }
    std::uint64_t totalBytes() const { return totalBytes_; }

private:
    void generate() {
        std::mt19937_64 random(20240601);
        std::vector<std::string> folders;
        for (int top = 0; top < 20; ++top)
            for (int sub = 0; sub < 10; ++sub)
                folders.push_back(platform::joinPath(folder_, "d" + std::to_string(top) + "/s" + std::to_string(sub)));
        for (const auto& folder : folders) std::filesystem::create_directories(folder);
        auto pickFolder = [&] { return folders[random() % folders.size()]; };
        int written = 0;
        std::uint64_t seed = 1;
        // Groups of two to five copies of one content.
        while (written < groupedFiles) {
            const int copies = std::min<int>(2 + static_cast<int>(random() % 4), groupedFiles - written);
            if (copies < 2) break;
            const std::uint64_t size = randomSize(random);
            std::vector<std::string> group;
            for (int copy = 0; copy < copies; ++copy) {
                group.push_back(pathFor(pickFolder(), written++));
                writeFile(group.back(), size, seed, 0);
            }
            std::sort(group.begin(), group.end());
            madeGroups_.insert(group);
            ++seed;
        }
        // Pairs that agree in size and in their first 8 KiB, but not in their last byte.
        for (int pair = 0; pair < nearCopies; ++pair) {
            const std::uint64_t size = nearSharedHead * 2 + randomSize(random);
            writeFile(pathFor(pickFolder(), written++), size, seed, 0);
            writeFile(pathFor(pickFolder(), written++), size, seed, 1);
            ++seed;
        }
        while (written < fileCount) writeFile(pathFor(pickFolder(), written++), randomSize(random), seed++, 0);
    }

    // Sizes spread evenly on a logarithmic scale between 1 KiB and 1 MiB: about 150 KB each.
    static std::uint64_t randomSize(std::mt19937_64& random) {
        const double exponent = 10.0 + 10.0 * std::uniform_real_distribution<double>(0.0, 1.0)(random);
        return static_cast<std::uint64_t>(std::pow(2.0, exponent));
    }

    static std::string pathFor(const std::string& folder, int index) {
        char name[32];
        std::snprintf(name, sizeof name, "f%05d.dat", index);
        return platform::joinPath(folder, name);
    }

    // The content of seed; a non-zero variant changes the last byte.
    void writeFile(const std::string& path, std::uint64_t size, std::uint64_t seed, int variant) {
        buffer_.resize(size);
        fillContent(buffer_, seed);
        buffer_.back() = static_cast<char>(buffer_.back() + variant);
        platform::FileDescriptor file(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (!file.isOpen() || write(file.get(), buffer_.data(), size) != static_cast<ssize_t>(size))
            throw std::runtime_error("cannot write " + path);
        totalBytes_ += size;
    }

    // Brings every file into the page cache, so every tool runs on a warm cache.
    void readEverything() const {
        std::vector<char> chunk(1u << 20);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_)) {
            if (!entry.is_regular_file()) continue;
            platform::FileDescriptor file(open(entry.path().c_str(), O_RDONLY | O_CLOEXEC));
            while (read(file.get(), chunk.data(), chunk.size()) > 0) {
            }
        }
    }

    std::string root_;
    std::string folder_;
    GroupSet madeGroups_;
    std::uint64_t totalBytes_ = 0;
    std::vector<char> buffer_;
};

DuplicateTree& tree() {
    static DuplicateTree generated;
    return generated;
}

// ---- the three searches -----------------------------------------------------------------

GroupSet sortedGroups(std::vector<std::vector<std::string>> groups) {
    GroupSet result;
    for (auto& group : groups) {
        std::sort(group.begin(), group.end());
        result.insert(group);
    }
    return result;
}

// Every task on a thread of its own: the pool of the search's hashing workers.
void runOnNewThread(core::Task task) { std::thread(std::move(task)).detach(); }

GroupSet searchWithDuridove() {
    core::Executors executors = core::Executors::inlineExecutors();
    executors.global = runOnNewThread;
    core::DuplicateFilesOpt search(executors);
    search.beginSearchAtPath(tree().folder(), 0);
    std::vector<std::vector<std::string>> groups;
    for (const auto& group : search.duplicateGroups()) {
        groups.emplace_back();
        for (const auto& item : group) groups.back().push_back(item.filePathName);
    }
    return sortedGroups(groups);
}

// jdupes prints each group's paths one a line, with an empty line after each group.
GroupSet groupsFromJdupes(const std::string& output) {
    std::vector<std::vector<std::string>> groups(1);
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty()) groups.emplace_back();
        else groups.back().push_back(line);
    }
    groups.erase(std::remove_if(groups.begin(), groups.end(), [](const auto& group) { return group.empty(); }),
                 groups.end());
    return sortedGroups(groups);
}

platform::ProcessResult runTool(const std::vector<std::string>& arguments) {
    platform::PosixProcessRunner runner;
    return runner.run({arguments, std::chrono::minutes(10)});
}

GroupSet searchWithJdupes() {
    const auto result = runTool({"jdupes", "-r", tree().folder()});
    if (!result.succeeded()) throw std::runtime_error("jdupes failed: " + result.errorOutput);
    return groupsFromJdupes(result.output);
}

void searchWithRdfind() {
    const std::string results = platform::joinPath(tree().root(), "rdfind-results.txt");
    if (!runTool({"rdfind", "-outputname", results, tree().folder()}).succeeded())
        throw std::runtime_error("rdfind failed");
}

GroupSet& duridoveGroups() {
    static GroupSet groups;
    return groups;
}

GroupSet& jdupesGroups() {
    static GroupSet groups;
    return groups;
}

void BM_Search_Duridove(benchmark::State& state) {
    tree();
    for (auto _ : state) duridoveGroups() = searchWithDuridove();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * tree().totalBytes()));
}

void BM_Search_Jdupes(benchmark::State& state) {
    tree();
    for (auto _ : state) jdupesGroups() = searchWithJdupes();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * tree().totalBytes()));
}

void BM_Search_Rdfind(benchmark::State& state) {
    tree();
    for (auto _ : state) searchWithRdfind();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * tree().totalBytes()));
}

// Other work on the machine slows a search that uses every core more than one that uses one:
// each search runs seven times and the median counts.
BENCHMARK(BM_Search_Duridove)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(7)->ReportAggregatesOnly();
BENCHMARK(BM_Search_Jdupes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(7)->ReportAggregatesOnly();
BENCHMARK(BM_Search_Rdfind)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(7)->ReportAggregatesOnly();

// ---- the report -------------------------------------------------------------------------

// The console report, with each search's median time kept for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs)
            if (!run.error_occurred && run.aggregate_name == "median")
                seconds[run.run_name.function_name] = run.real_accumulated_time / double(run.iterations);
    }
    std::map<std::string, double> seconds;
};

void printRatio(const RatioReporter& reporter, const char* peer, const std::string& peerBenchmark) {
    const auto ours = reporter.seconds.find("BM_Search_Duridove");
    const auto theirs = reporter.seconds.find(peerBenchmark);
    if (ours == reporter.seconds.end() || theirs == reporter.seconds.end()) return;
    std::printf("search (median): Duridove %.3f s, %s %.3f s: Duridove takes %.2f of %s's time\n", ours->second, peer,
                theirs->second, ours->second / theirs->second, peer);
}

void printGroupCheck() {
    if (duridoveGroups().empty() && jdupesGroups().empty()) return;
    std::size_t files = 0;
    for (const auto& group : duridoveGroups()) files += group.size();
    std::printf("groups: Duridove %zu (%zu files), jdupes %zu, generator %zu\n", duridoveGroups().size(), files,
                jdupesGroups().size(), tree().madeGroups().size());
    std::printf("groups equal to jdupes': %s; equal to the generator's: %s\n",
                duridoveGroups() == jdupesGroups() ? "yes" : "NO",
                duridoveGroups() == tree().madeGroups() ? "yes" : "NO");
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // The search logs every candidate; the report should not drown in those lines.
    platform::setLogSink([](platform::LogLevel level, const std::string& line) {
        if (level != platform::LogLevel::Info) std::fprintf(stderr, "%s\n", line.c_str());
    });
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatio(reporter, "jdupes", "BM_Search_Jdupes");
    printRatio(reporter, "rdfind", "BM_Search_Rdfind");
    printGroupCheck();
    benchmark::Shutdown();
    return 0;
}
