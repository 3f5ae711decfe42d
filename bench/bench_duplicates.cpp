// The duplicate finder's hot paths and whole searches against its Debian peers.
// - CRC-64 throughput on one core: the fast (ISA-L) version and the byte-at-a-time table.
// - Whole searches of two generated trees, each run as a process of its own (this program with
//   "--search FOLDER", so the application's logging is on and its peak memory is its own)
//   beside "jdupes -r" and "rdfind", on a warm cache and on a cold one (the page cache dropped
//   before each run; said so and skipped where it cannot be dropped):
//   - "files20k": 20,000 files of 1 KiB to 1 MiB (about 3 GB), a tenth of them in groups of 2
//     to 5 copies, a few pairs sharing size and first 8 KiB but not their last byte;
//   - "small300k": 300,000 files of 100 to 6,000 bytes, so nearly every file shares its size
//     with about fifty others, a tenth of them in groups of copies.
//   Afterwards the kernel, the time and peak-memory ratios are printed, and the groups found
//   are checked against jdupes' or rdfind's and against the copies the generator made. The
//   trees live in a fresh folder under DURIDOVE_BENCH_DIR (else /var/tmp, which is on a disk)
//   and are removed at the end.

#include "core/duplicates/DuplicateFilesOpt.h"
#include "core/duplicates/crc.h"
#include "platform/system/Environment.h"
#include "platform/files/FileDescriptor.h"
#include "platform/system/Log.h"
#include "platform/files/PathText.h"
#include "platform/system/ProcessRunner.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
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

// ---- the generated trees -----------------------------------------------------------------

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

struct TreeShape {
    int fileCount;
    int folderCount;
    int nearCopies;                 // pairs equal but for their last byte
    std::uint64_t nearSharedHead;   // the near copies are at least twice this long
    std::uint64_t (*randomSize)(std::mt19937_64&);
};

// Sizes spread evenly on a logarithmic scale between 1 KiB and 1 MiB: about 150 KB each.
std::uint64_t logarithmicSize(std::mt19937_64& random) {
    const double exponent = 10.0 + 10.0 * std::uniform_real_distribution<double>(0.0, 1.0)(random);
    return static_cast<std::uint64_t>(std::pow(2.0, exponent));
}

// Sizes from 100 to 6,000 bytes: about fifty files of each size in 300,000.
std::uint64_t smallSize(std::mt19937_64& random) { return 100 + random() % 5901; }

const TreeShape files20k{20000, 200, 20, 8192, logarithmicSize};
const TreeShape small300k{300000, 600, 200, 1024, smallSize};

std::string benchFolder() {
    const char* chosen = std::getenv("DURIDOVE_BENCH_DIR");
    return chosen && *chosen ? chosen : "/var/tmp";
}

class DuplicateTree {
public:
    explicit DuplicateTree(const TreeShape& shape) {
        std::string pattern = platform::joinPath(benchFolder(), "bench-duplicates-XXXXXX");
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed in " + benchFolder());
        root_ = pattern;
        folder_ = platform::joinPath(root_, "tree");
        generate(shape);
        sync();
    }
    ~DuplicateTree() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    const std::string& folder() const { return folder_; }
    std::string file(const std::string& name) const { return platform::joinPath(root_, name); }
    const GroupSet& madeGroups() const { return madeGroups_; }
    std::uint64_t totalBytes() const { return totalBytes_; }

    // Brings every file into the page cache.
    void readEverything() const {
        std::vector<char> chunk(1u << 20);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_)) {
            if (!entry.is_regular_file()) continue;
            platform::FileDescriptor file(open(entry.path().c_str(), O_RDONLY | O_CLOEXEC));
            while (read(file.get(), chunk.data(), chunk.size()) > 0) {
            }
        }
    }

private:
    void generate(const TreeShape& shape) {
        std::mt19937_64 random(20240601);
        std::vector<std::string> folders;
        for (int index = 0; index < shape.folderCount; ++index)
            folders.push_back(platform::joinPath(folder_, "d" + std::to_string(index / 10) + "/s" + std::to_string(index % 10)));
        for (const auto& folder : folders) std::filesystem::create_directories(folder);
        auto pickFolder = [&] { return folders[random() % folders.size()]; };
        const int groupedFiles = shape.fileCount / 10;
        int written = 0;
        std::uint64_t seed = 1;
        // Groups of two to five copies of one content.
        while (written < groupedFiles) {
            const int copies = std::min<int>(2 + static_cast<int>(random() % 4), groupedFiles - written);
            if (copies < 2) break;
            const std::uint64_t size = shape.randomSize(random);
            std::vector<std::string> group;
            for (int copy = 0; copy < copies; ++copy) {
                group.push_back(pathFor(pickFolder(), written++));
                writeFile(group.back(), size, seed, 0);
            }
            std::sort(group.begin(), group.end());
            madeGroups_.insert(group);
            ++seed;
        }
        // Pairs that agree in size and in their head, but not in their last byte.
        for (int pair = 0; pair < shape.nearCopies; ++pair) {
            const std::uint64_t size = shape.nearSharedHead * 2 + shape.randomSize(random);
            writeFile(pathFor(pickFolder(), written++), size, seed, 0);
            writeFile(pathFor(pickFolder(), written++), size, seed, 1);
            ++seed;
        }
        while (written < shape.fileCount) writeFile(pathFor(pickFolder(), written++), shape.randomSize(random), seed++, 0);
    }

    static std::string pathFor(const std::string& folder, int index) {
        char name[32];
        std::snprintf(name, sizeof name, "f%06d.dat", index);
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

    std::string root_;
    std::string folder_;
    GroupSet madeGroups_;
    std::uint64_t totalBytes_ = 0;
    std::vector<char> buffer_;
};

std::map<const TreeShape*, std::unique_ptr<DuplicateTree>>& trees() {
    static std::map<const TreeShape*, std::unique_ptr<DuplicateTree>> made;
    return made;
}

DuplicateTree& treeOf(const TreeShape& shape) {
    auto& tree = trees()[&shape];
    if (!tree) tree = std::make_unique<DuplicateTree>(shape);
    return *tree;
}

// ---- one search as a process of its own ---------------------------------------------------------

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

// The child's side: the search as the page runs it, with the application's log, and its groups
// printed as jdupes prints them.
int searchOnce(const std::string& folder) {
    core::Executors executors = core::Executors::inlineExecutors();
    executors.global = runOnNewThread;
    core::DuplicateFilesOpt search(executors);
    search.beginSearchAtPath(folder, 0);
    std::string text;
    for (const auto& group : search.duplicateGroups()) {
        for (const auto& item : group) text += item.filePathName + "\n";
        text += "\n";
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

struct Measured {
    double seconds = 0;
    double peakMiB = 0;
};

// Runs a program with its output and errors sent to files, and measures its time and peak
// resident memory.
Measured runMeasured(const std::vector<std::string>& arguments, const std::string& output, const std::string& errors) {
    // Everything the child needs is made before the fork: it only opens, duplicates and execs.
    const std::string program = platform::findExecutable(arguments.front());
    if (program.empty()) throw std::runtime_error(arguments.front() + " not found");
    std::vector<char*> argv;
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(126);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    while (wait4(child, &status, 0, &usage) < 0) {
        if (errno != EINTR) throw std::runtime_error("wait4 failed");
    }
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(arguments.front() + " failed; see " + errors);
    return {std::chrono::duration<double>(end - start).count(), usage.ru_maxrss / 1024.0};
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// jdupes prints each group's paths one a line, with an empty line after each group.
GroupSet groupsFromListing(const std::string& output) {
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

// rdfind's results: "duptype id depth size device inode priority name", one group per |id|.
GroupSet groupsFromRdfind(const std::string& results) {
    std::map<long, std::vector<std::string>> groups;
    std::istringstream lines(results);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line.front() == '#') continue;
        std::istringstream fields(line);
        std::string type, depth, size, device, inode, priority;
        long id = 0;
        fields >> type >> id >> depth >> size >> device >> inode >> priority;
        std::string name;
        std::getline(fields >> std::ws, name);
        groups[std::labs(id)].push_back(name);
    }
    std::vector<std::vector<std::string>> list;
    for (auto& [id, group] : groups) list.push_back(std::move(group));
    return sortedGroups(list);
}

std::string& selfPath() {
    static std::string path = std::filesystem::read_symlink("/proc/self/exe");
    return path;
}

enum class Tool { Duridove, Jdupes, Rdfind };

const char* toolName(Tool tool) {
    switch (tool) {
    case Tool::Duridove: return "Duridove";
    case Tool::Jdupes: return "jdupes";
    case Tool::Rdfind: return "rdfind";
    }
    return "";
}

// The groups each tool found on each tree, by tree and tool name.
std::map<std::string, GroupSet>& foundGroups() {
    static std::map<std::string, GroupSet> groups;
    return groups;
}

// One search of the tree by the tool; its groups are kept for the check at the end.
Measured searchTree(const TreeShape& shape, const std::string& treeName, Tool tool) {
    const DuplicateTree& tree = treeOf(shape);
    const std::string output = tree.file(std::string(toolName(tool)) + ".out");
    const std::string errors = tree.file(std::string(toolName(tool)) + ".log");
    Measured measured;
    GroupSet groups;
    switch (tool) {
    case Tool::Duridove:
        measured = runMeasured({selfPath(), "--search", tree.folder()}, output, errors);
        groups = groupsFromListing(readText(output));
        break;
    case Tool::Jdupes:
        measured = runMeasured({"jdupes", "-r", "-q", tree.folder()}, output, errors);
        groups = groupsFromListing(readText(output));
        break;
    case Tool::Rdfind: {
        const std::string results = tree.file("rdfind-results.txt");
        measured = runMeasured({"rdfind", "-outputname", results, tree.folder()}, output, errors);
        groups = groupsFromRdfind(readText(results));
        break;
    }
    }
    foundGroups()[treeName + "/" + toolName(tool)] = std::move(groups);
    return measured;
}

// ---- the timed runs -----------------------------------------------------------------------------

// Empties the page cache; the reason when it cannot.
std::string dropPageCache() {
    sync();
    std::ofstream control("/proc/sys/vm/drop_caches");
    if (!control) return std::string("cannot open /proc/sys/vm/drop_caches: ") + std::strerror(errno);
    control << "3\n";
    control.flush();
    if (!control) return std::string("cannot write /proc/sys/vm/drop_caches: ") + std::strerror(errno);
    return {};
}

std::string& coldRunsRefused() {
    static std::string reason;
    return reason;
}

// Each run's time is the child's wall time; its peak memory is the counter "peak_MiB".
void searchBenchmark(benchmark::State& state, const TreeShape& shape, const std::string& treeName, Tool tool,
                     bool cold) {
    const DuplicateTree& tree = treeOf(shape);
    for (auto _ : state) {
        if (cold) {
            if (std::string refused = dropPageCache(); !refused.empty()) {
                coldRunsRefused() = refused;
                state.SkipWithError(("cold runs skipped: " + refused).c_str());
                break;
            }
        } else {
            tree.readEverything();
        }
        const Measured measured = searchTree(shape, treeName, tool);
        state.SetIterationTime(measured.seconds);
        state.counters["peak_MiB"] = measured.peakMiB;
    }
}

void registerSearches(const TreeShape& shape, const std::string& treeName, const std::vector<Tool>& tools,
                      int repetitions) {
    for (bool cold : {false, true}) {
        for (Tool tool : tools) {
            const std::string name = "Search/" + treeName + (cold ? "/cold/" : "/warm/") + toolName(tool);
            benchmark::RegisterBenchmark(name.c_str(),
                                         [&shape, treeName, tool, cold](benchmark::State& state) {
                                             searchBenchmark(state, shape, treeName, tool, cold);
                                         })
                ->Unit(benchmark::kMillisecond)
                ->UseManualTime()
                ->Iterations(1)
                ->Repetitions(repetitions)
                ->ReportAggregatesOnly();
        }
    }
}

// ---- the report -------------------------------------------------------------------------

// The console report, with each search's median time and peak memory kept for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Figures {
        double seconds = 0;
        double peakMiB = 0;
    };
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (run.error_occurred || (run.aggregate_name != "median" && !single)) continue;
            Figures& figures = medians[run.run_name.function_name];
            figures.seconds = run.GetAdjustedRealTime() / 1000.0;
            const auto peak = run.counters.find("peak_MiB");
            if (peak != run.counters.end()) figures.peakMiB = peak->second.value;
        }
    }
    std::map<std::string, Figures> medians;
};

void printComparison(const RatioReporter& reporter, const std::string& run, const char* peer) {
    const auto ours = reporter.medians.find("Search/" + run + "/Duridove");
    const auto theirs = reporter.medians.find("Search/" + run + "/" + peer);
    if (ours == reporter.medians.end() || theirs == reporter.medians.end()) return;
    std::printf("%-16s Duridove %8.3f s %7.1f MiB | %-6s %8.3f s %7.1f MiB | time %.2f, memory %.2f of %s's\n",
                run.c_str(), ours->second.seconds, ours->second.peakMiB, peer, theirs->second.seconds,
                theirs->second.peakMiB, ours->second.seconds / theirs->second.seconds,
                ours->second.peakMiB / theirs->second.peakMiB, peer);
}

void printGroupCheck(const TreeShape& shape, const std::string& treeName, const char* peer) {
    const auto& found = foundGroups();
    const auto ours = found.find(treeName + "/Duridove");
    const auto theirs = found.find(treeName + "/" + peer);
    const auto tree = trees().find(&shape);
    if (ours == found.end() || tree == trees().end()) return;
    const GroupSet& made = tree->second->madeGroups();
    std::size_t files = 0;
    for (const auto& group : ours->second) files += group.size();
    std::printf("%s groups: Duridove %zu (%zu files), generator %zu; equal to the generator's: %s", treeName.c_str(),
                ours->second.size(), files, made.size(), ours->second == made ? "yes" : "NO");
    if (theirs != found.end())
        std::printf(", equal to %s' (%zu): %s", peer, theirs->second.size(), ours->second == theirs->second ? "yes" : "NO");
    std::printf("\n");
}

void printKernel() {
    struct utsname name {};
    if (uname(&name) == 0) std::printf("kernel: %s %s %s\n", name.sysname, name.release, name.machine);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--search") return searchOnce(argv[2]);
    benchmark::Initialize(&argc, argv);
    printKernel();
    // jdupes needs minutes on the small files of equal sizes: one run, for its memory.
    registerSearches(files20k, "files20k", {Tool::Duridove, Tool::Jdupes, Tool::Rdfind}, 5);
    registerSearches(small300k, "small300k", {Tool::Duridove, Tool::Rdfind}, 5);
    benchmark::RegisterBenchmark("Search/small300k/warm/jdupes", [](benchmark::State& state) {
        searchBenchmark(state, small300k, "small300k", Tool::Jdupes, false);
    })->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1)->Repetitions(1);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printKernel();
    if (!coldRunsRefused().empty()) std::printf("cold runs skipped: %s\n", coldRunsRefused().c_str());
    for (const char* run : {"files20k/warm", "files20k/cold"}) {
        printComparison(reporter, run, "jdupes");
        printComparison(reporter, run, "rdfind");
    }
    for (const char* run : {"small300k/warm", "small300k/cold"}) printComparison(reporter, run, "rdfind");
    printComparison(reporter, "small300k/warm", "jdupes");
    printGroupCheck(files20k, "files20k", "jdupes");
    printGroupCheck(small300k, "small300k", "rdfind");
    trees().clear();
    benchmark::Shutdown();
    return 0;
}
