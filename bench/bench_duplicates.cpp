// The duplicate finder's hot paths and whole searches against its Debian peers.
// - CRC-64 throughput on one core: the fast (ISA-L) version and the byte-at-a-time table.
// - Whole searches of generated trees, each run as a process of its own (this program with
//   "--search FOLDER", so the application's logging is on and its peak memory is its own)
//   beside "jdupes -r" and "rdfind", on a warm cache (every tree) and on a cold one (the first
//   two; the page cache dropped before each run; said so and skipped where it cannot be
//   dropped), and once more each with the open-file limit at 256:
//   - "files20k": 20,000 files of 1 KiB to 1 MiB (about 3 GB), a tenth of them in groups of 2
//     to 5 copies, a few pairs sharing size and first 8 KiB but not their last byte;
//   - "small300k": 300,000 files of 100 to 6,000 bytes, so nearly every file shares its size
//     with about fifty others, a tenth of them in groups of copies;
//   - "equal100k": 100,000 files of one size and one first kilobyte in six classes of copies
//     (jdupes is quadratic in a class of copies: rdfind alone is run there);
//   - "head10k": 10,000 files of 8 KiB, one size and one first kilobyte, all different;
//   - "mib1k": 1,000 files of 1 MiB and one byte, one first kilobyte, all different.
//   An empty folder is searched too, by every tool, for the floor of its peak memory.
//   Afterwards the kernel, the machine's load and a table are printed: per tree and run each
//   tool's median, fastest and slowest time, its processor time, its peak memory and that above
//   its floor, and the load the runs began with (other work on the machine spreads the times);
//   the goals (time at most half the faster peer's or 0.1 s; memory above the floor at most
//   twice jdupes' above its own on files20k and 64 MiB on mib1k), and whether the groups equal
//   the peers' and the generator's, at both limits. The trees live
//   in a fresh folder under DURIDOVE_BENCH_DIR (else /var/tmp, which is on a disk) and are
//   removed at the end.

#include "core/duplicates/DuplicateFilesOpt.h"
#include "core/duplicates/crc.h"
#include "platform/files/FileDescriptor.h"
#include "platform/files/OpenFileLimit.h"
#include "platform/files/PathText.h"
#include "platform/system/Environment.h"
#include "platform/system/Log.h"
#include "platform/system/ProcessRunner.h"
#include "support/TaskPool.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
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

std::string benchFolder() {
    const char* chosen = std::getenv("DURIDOVE_BENCH_DIR");
    return chosen && *chosen ? chosen : "/var/tmp";
}

// A tree in a fresh folder, made by one of the generators below, with the groups of copies it
// was made with.
class DuplicateTree {
public:
    using Generator = std::function<void(DuplicateTree&)>;

    DuplicateTree(int folderCount, const Generator& generate) {
        std::string pattern = platform::joinPath(benchFolder(), "bench-duplicates-XXXXXX");
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed in " + benchFolder());
        root_ = pattern;
        folder_ = platform::joinPath(root_, "tree");
        std::filesystem::create_directories(folder_);
        for (int index = 0; index < folderCount; ++index)
            folders_.push_back(
                platform::joinPath(folder_, "d" + std::to_string(index / 10) + "/s" + std::to_string(index % 10)));
        for (const auto& folder : folders_) std::filesystem::create_directories(folder);
        generate(*this);
        sync();
    }
    ~DuplicateTree() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    const std::string& folder() const { return folder_; }
    std::string file(const std::string& name) const { return platform::joinPath(root_, name); }
    const GroupSet& madeGroups() const { return madeGroups_; }

    // The path of the next file, in a folder picked at random.
    std::string nextPath() {
        char name[32];
        std::snprintf(name, sizeof name, "f%06d.dat", written_++);
        return platform::joinPath(folders_[random_() % folders_.size()], name);
    }
    int written() const { return written_; }
    std::mt19937_64& random() { return random_; }

    // The content of seed; a non-zero variant changes the last byte; a non-zero head seed gives
    // the first kilobyte the content of that seed.
    void writeFile(const std::string& path, std::uint64_t size, std::uint64_t seed, int variant,
                   std::uint64_t headSeed = 0) {
        buffer_.resize(size);
        fillContent(buffer_, seed);
        if (headSeed != 0) {
            std::vector<char> head(std::min<std::uint64_t>(size, 1024));
            fillContent(head, headSeed);
            std::copy(head.begin(), head.end(), buffer_.begin());
        }
        buffer_.back() = static_cast<char>(buffer_.back() + variant);
        platform::FileDescriptor file(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
        if (!file.isOpen() || write(file.get(), buffer_.data(), size) != static_cast<ssize_t>(size))
            throw std::runtime_error("cannot write " + path);
    }
    void madeGroup(std::vector<std::string> group) {
        std::sort(group.begin(), group.end());
        madeGroups_.insert(std::move(group));
    }

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
    std::string root_;
    std::string folder_;
    std::vector<std::string> folders_;
    std::mt19937_64 random_{20240601};
    int written_ = 0;
    GroupSet madeGroups_;
    std::vector<char> buffer_;
};

// Files of random sizes, a tenth of them in groups of two to five copies, and pairs that agree
// in size and head but not in their last byte.
DuplicateTree::Generator mixedTree(int fileCount, int nearCopies, std::uint64_t nearSharedHead,
                                   std::uint64_t (*randomSize)(std::mt19937_64&)) {
    return [=](DuplicateTree& tree) {
        const int groupedFiles = fileCount / 10;
        std::uint64_t seed = 1;
        while (tree.written() < groupedFiles) {
            const int copies = std::min<int>(2 + static_cast<int>(tree.random()() % 4), groupedFiles - tree.written());
            if (copies < 2) break;
            const std::uint64_t size = randomSize(tree.random());
            std::vector<std::string> group;
            for (int copy = 0; copy < copies; ++copy) {
                group.push_back(tree.nextPath());
                tree.writeFile(group.back(), size, seed, 0);
            }
            tree.madeGroup(std::move(group));
            ++seed;
        }
        for (int pair = 0; pair < nearCopies; ++pair) {
            const std::uint64_t size = nearSharedHead * 2 + randomSize(tree.random());
            tree.writeFile(tree.nextPath(), size, seed, 0);
            tree.writeFile(tree.nextPath(), size, seed, 1);
            ++seed;
        }
        while (tree.written() < fileCount) tree.writeFile(tree.nextPath(), randomSize(tree.random()), seed++, 0);
    };
}

// Files of one size and one first kilobyte, the rest of each from one of contents seeds (in
// turn), so the files of one seed are copies of each other.
DuplicateTree::Generator oneHeadTree(int fileCount, std::uint64_t size, int contents) {
    return [=](DuplicateTree& tree) {
        std::vector<std::vector<std::string>> groups(static_cast<std::size_t>(contents));
        for (int file = 0; file < fileCount; ++file) {
            const std::string path = tree.nextPath();
            tree.writeFile(path, size, 1000 + static_cast<std::uint64_t>(file % contents), 0, 1);
            groups[static_cast<std::size_t>(file % contents)].push_back(path);
        }
        for (auto& group : groups)
            if (group.size() > 1) tree.madeGroup(std::move(group));
    };
}

// Sizes spread evenly on a logarithmic scale between 1 KiB and 1 MiB: about 150 KB each.
std::uint64_t logarithmicSize(std::mt19937_64& random) {
    const double exponent = 10.0 + 10.0 * std::uniform_real_distribution<double>(0.0, 1.0)(random);
    return static_cast<std::uint64_t>(std::pow(2.0, exponent));
}

// Sizes from 100 to 6,000 bytes: about fifty files of each size in 300,000.
std::uint64_t smallSize(std::mt19937_64& random) { return 100 + random() % 5901; }

enum class Tool { Duridove, Jdupes, Rdfind };

const char* toolName(Tool tool) {
    switch (tool) {
    case Tool::Duridove: return "Duridove";
    case Tool::Jdupes: return "jdupes";
    case Tool::Rdfind: return "rdfind";
    }
    return "";
}

struct TreeShape {
    std::string name;
    int folderCount;
    DuplicateTree::Generator generate;
    std::vector<Tool> peers;
    int repetitions;
    bool cold;
};

const std::vector<TreeShape>& treeShapes() {
    static const std::vector<TreeShape> shapes{
        {"files20k", 200, mixedTree(20000, 20, 8192, logarithmicSize), {Tool::Jdupes, Tool::Rdfind}, 5, true},
        {"small300k", 600, mixedTree(300000, 200, 1024, smallSize), {Tool::Jdupes, Tool::Rdfind}, 5, true},
        {"equal100k", 1000, oneHeadTree(100000, 4096, 6), {Tool::Rdfind}, 3, false},
        {"head10k", 100, oneHeadTree(10000, 8192, 10000), {Tool::Jdupes, Tool::Rdfind}, 5, false},
        {"mib1k", 10, oneHeadTree(1000, (1u << 20) + 1, 1000), {Tool::Jdupes, Tool::Rdfind}, 5, false},
        {"empty", 1, [](DuplicateTree&) {}, {Tool::Jdupes, Tool::Rdfind}, 3, false},
    };
    return shapes;
}

std::map<std::string, std::unique_ptr<DuplicateTree>>& trees() {
    static std::map<std::string, std::unique_ptr<DuplicateTree>> made;
    return made;
}

DuplicateTree& treeOf(const TreeShape& shape) {
    auto& tree = trees()[shape.name];
    if (!tree) tree = std::make_unique<DuplicateTree>(shape.folderCount, shape.generate);
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

// The child's side: the search as the page runs it (its workers on a pool of threads as many as
// the processors), the open-file limit raised as the application raises it at start-up, with the
// application's log, and its groups printed as jdupes prints them.
int searchOnce(const std::string& folder) {
    platform::raiseOpenFileLimit();
    // Never destroyed: its threads wait on it until the process ends.
    static auto* pool = new bench::TaskPool(std::max(1u, std::thread::hardware_concurrency()));
    core::Executors executors = core::Executors::inlineExecutors();
    executors.global = pool->executor();
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
    double cpuSeconds = 0;  // user and system time on all the tool's threads
    double peakMiB = 0;
};

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string& selfPath() {
    static std::string path = std::filesystem::read_symlink("/proc/self/exe");
    return path;
}

// Runs a program with its output and errors sent to files, under an open-file limit when one is
// given, and measures its time and peak resident memory. It is started by peak_of (beside this
// program), a small process of its own: the kernel charges a process with the peak of the
// process it was forked from too, and this one holds the trees' lists.
Measured runMeasured(const std::vector<std::string>& arguments, const std::string& output, const std::string& errors,
                     rlim_t openFileLimit) {
    // Everything the child needs is made before the fork: it only opens, duplicates and execs.
    const std::string program = platform::findExecutable(arguments.front());
    if (program.empty()) throw std::runtime_error(arguments.front() + " not found");
    const std::string measure = std::filesystem::path(selfPath()).parent_path() / "peak_of";
    const std::string figures = errors + ".figures";
    std::vector<std::string> command{measure, output, errors, std::to_string(openFileLimit), program};
    command.insert(command.end(), arguments.begin() + 1, arguments.end());
    std::vector<char*> argv;
    for (const auto& argument : command) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        const int out = open(figures.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || dup2(out, 1) < 0) _exit(126);
        execv(measure.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) throw std::runtime_error("waitpid failed");
    }
    Measured measured;
    long peakKiB = 0;
    int exitStatus = -1;
    std::istringstream(readText(figures)) >> measured.seconds >> peakKiB >> exitStatus >> measured.cpuSeconds;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || exitStatus != 0)
        throw std::runtime_error(arguments.front() + " failed; see " + errors);
    measured.peakMiB = peakKiB / 1024.0;
    return measured;
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

// The groups each tool found, by "tree/tool" and "tree/tool/limit256".
std::map<std::string, GroupSet>& foundGroups() {
    static std::map<std::string, GroupSet> groups;
    return groups;
}

constexpr rlim_t lowOpenFileLimit = 256;

// One search of the tree by the tool; its groups are kept for the check at the end.
Measured searchTree(const TreeShape& shape, Tool tool, rlim_t openFileLimit) {
    const DuplicateTree& tree = treeOf(shape);
    const std::string output = tree.file(std::string(toolName(tool)) + ".out");
    const std::string errors = tree.file(std::string(toolName(tool)) + ".log");
    Measured measured;
    GroupSet groups;
    switch (tool) {
    case Tool::Duridove:
        measured = runMeasured({selfPath(), "--search", tree.folder()}, output, errors, openFileLimit);
        groups = groupsFromListing(readText(output));
        break;
    case Tool::Jdupes:
        measured = runMeasured({"jdupes", "-r", "-q", tree.folder()}, output, errors, openFileLimit);
        groups = groupsFromListing(readText(output));
        break;
    case Tool::Rdfind: {
        const std::string results = tree.file("rdfind-results.txt");
        measured = runMeasured({"rdfind", "-outputname", results, tree.folder()}, output, errors, openFileLimit);
        groups = groupsFromRdfind(readText(results));
        break;
    }
    }
    const std::string key = shape.name + "/" + toolName(tool) + (openFileLimit != 0 ? "/limit256" : "");
    foundGroups()[key] = std::move(groups);
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

enum class Condition { Warm, Cold, LowLimit };

const char* conditionName(Condition condition) {
    switch (condition) {
    case Condition::Warm: return "warm";
    case Condition::Cold: return "cold";
    case Condition::LowLimit: return "limit256";
    }
    return "";
}

// Every run of a search, by "Search/tree/condition/tool", with the machine's load (the mean
// number of runnable tasks over the last minute) as it began: other work on the machine takes
// processors from the searches and spreads their times.
struct Sample {
    Measured measured;
    double load = 0;
};

std::map<std::string, std::vector<Sample>>& samples() {
    static std::map<std::string, std::vector<Sample>> runs;
    return runs;
}

double loadNow() {
    double load = 0;
    std::ifstream("/proc/loadavg") >> load;
    return load;
}

// Each run's time is the child's wall time; its peak memory is the counter "peak_MiB".
void searchBenchmark(benchmark::State& state, const std::string& name, const TreeShape& shape, Tool tool,
                     Condition condition) {
    const DuplicateTree& tree = treeOf(shape);
    for (auto _ : state) {
        if (condition == Condition::Cold) {
            if (std::string refused = dropPageCache(); !refused.empty()) {
                coldRunsRefused() = refused;
                state.SkipWithError(("cold runs skipped: " + refused).c_str());
                break;
            }
        } else {
            tree.readEverything();
        }
        const double load = loadNow();
        const Measured measured = searchTree(shape, tool, condition == Condition::LowLimit ? lowOpenFileLimit : 0);
        samples()[name].push_back({measured, load});
        state.SetIterationTime(measured.seconds);
        state.counters["peak_MiB"] = measured.peakMiB;
        state.counters["cpu_s"] = measured.cpuSeconds;
    }
}

void registerSearches(const TreeShape& shape) {
    std::vector<Tool> tools{Tool::Duridove};
    tools.insert(tools.end(), shape.peers.begin(), shape.peers.end());
    std::vector<Condition> conditions{Condition::Warm};
    if (shape.cold) conditions.push_back(Condition::Cold);
    if (shape.name != "empty") conditions.push_back(Condition::LowLimit);
    for (Condition condition : conditions) {
        for (Tool tool : tools) {
            // jdupes needs minutes on the small files of equal sizes: one run, for its groups and memory.
            const bool slowPeer = tool == Tool::Jdupes && shape.name == "small300k";
            if (slowPeer && condition == Condition::Cold) continue;
            const bool once = condition == Condition::LowLimit || slowPeer;
            const std::string name = "Search/" + shape.name + "/" + conditionName(condition) + "/" + toolName(tool);
            auto* benchmark = benchmark::RegisterBenchmark(name.c_str(), [name, &shape, tool, condition](benchmark::State& state) {
                                  searchBenchmark(state, name, shape, tool, condition);
                              })
                                  ->Unit(benchmark::kMillisecond)
                                  ->UseManualTime()
                                  ->Iterations(1);
            if (!once) benchmark->Repetitions(shape.repetitions)->ReportAggregatesOnly();
        }
    }
}

// ---- the report -------------------------------------------------------------------------

// A search's runs: the median, fastest and slowest time, the median processor time and peak
// memory, and the least and most load the runs began with.
struct Range {
    double least = 0;
    double most = 0;

    static Range of(const std::vector<double>& values) {
        const auto [least, most] = std::minmax_element(values.begin(), values.end());
        return {*least, *most};
    }
};

struct Figures {
    double seconds = 0;
    Range times;
    double cpuSeconds = 0;
    double peakMiB = 0;
    Range loads;
};

double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::optional<Figures> figuresOf(const std::string& tree, const std::string& run, Tool tool) {
    const auto found = samples().find("Search/" + tree + "/" + run + "/" + toolName(tool));
    if (found == samples().end() || found->second.empty()) return std::nullopt;
    std::vector<double> seconds, cpuSeconds, peaks, loads;
    for (const Sample& sample : found->second) {
        seconds.push_back(sample.measured.seconds);
        cpuSeconds.push_back(sample.measured.cpuSeconds);
        peaks.push_back(sample.measured.peakMiB);
        loads.push_back(sample.load);
    }
    Figures figures;
    figures.seconds = medianOf(seconds);
    figures.times = Range::of(seconds);
    figures.cpuSeconds = medianOf(cpuSeconds);
    figures.peakMiB = medianOf(peaks);
    figures.loads = Range::of(loads);
    return figures;
}

// "yes", "NO", or "-" where either side did not run.
const char* sameGroups(const std::string& ours, const std::string& theirs) {
    const auto& found = foundGroups();
    const auto mine = found.find(ours), other = found.find(theirs);
    if (mine == found.end() || other == found.end()) return "-";
    return mine->second == other->second ? "yes" : "NO";
}

double floorOf(Tool tool) {
    const auto emptyRun = figuresOf("empty", "warm", tool);
    return emptyRun ? emptyRun->peakMiB : 0;
}

void printTableHead() {
    std::printf("%-10s %-8s %-8s %8s %17s %8s %8s %8s %11s\n", "tree", "run", "tool", "median", "fastest-slowest",
                "cpu", "peak", "above", "load");
    std::printf("%-10s %-8s %-8s %8s %17s %8s %8s %8s %11s\n", "", "", "", "s", "s", "s", "MiB", "floor", "at start");
}

void printTreeTable(const TreeShape& shape, const char* run) {
    const auto ours = figuresOf(shape.name, run, Tool::Duridove);
    if (!ours) return;
    std::vector<Tool> tools{Tool::Duridove};
    tools.insert(tools.end(), shape.peers.begin(), shape.peers.end());
    double fastestPeer = 0;
    for (Tool tool : tools) {
        const auto figures = figuresOf(shape.name, run, tool);
        if (!figures) continue;
        std::printf("%-10s %-8s %-8s %8.3f %8.3f-%-8.3f %8.3f %8.1f %8.1f %5.1f-%-5.1f\n", shape.name.c_str(), run,
                    toolName(tool), figures->seconds, figures->times.least, figures->times.most, figures->cpuSeconds,
                    figures->peakMiB, figures->peakMiB - floorOf(tool), figures->loads.least, figures->loads.most);
        if (tool != Tool::Duridove && (fastestPeer == 0 || figures->seconds < fastestPeer)) fastestPeer = figures->seconds;
    }
    if (std::string(run) != "warm" || fastestPeer == 0) return;
    const double timeGoal = std::max(0.5 * fastestPeer, 0.1);
    std::printf("%-10s time %.2f of the faster peer's; goal %.3f s: %s", "", ours->seconds / fastestPeer, timeGoal,
                ours->seconds <= timeGoal ? "met" : "NOT MET");
    const double aboveFloor = ours->peakMiB - floorOf(Tool::Duridove);
    const auto jdupes = figuresOf(shape.name, run, Tool::Jdupes);
    if (shape.name == "files20k" && jdupes) {
        const double theirs = jdupes->peakMiB - floorOf(Tool::Jdupes);
        std::printf("; memory above the floor %.2f of jdupes', goal 2: %s", aboveFloor / theirs,
                    aboveFloor <= 2 * theirs ? "met" : "NOT MET");
    }
    if (shape.name == "mib1k") std::printf("; memory goal 64 MiB above the floor: %s", aboveFloor <= 64 ? "met" : "NOT MET");
    std::printf("\n");
}

void printGroupCheck(const TreeShape& shape) {
    const auto& found = foundGroups();
    const auto ours = found.find(shape.name + "/Duridove");
    const auto tree = trees().find(shape.name);
    if (ours == found.end() || tree == trees().end()) return;
    const GroupSet& made = tree->second->madeGroups();
    std::size_t files = 0;
    for (const auto& group : ours->second) files += group.size();
    std::printf("%-10s groups: Duridove %zu (%zu files), generator %zu; equal to the generator's: %s", shape.name.c_str(),
                ours->second.size(), files, made.size(), ours->second == made ? "yes" : "NO");
    const std::string mine = shape.name + "/Duridove";
    std::printf(", at 256 open files: %s", sameGroups(mine + "/limit256", mine));
    for (Tool peer : shape.peers) {
        const std::string theirs = shape.name + "/" + toolName(peer);
        std::printf("; equal to %s': %s, at 256: %s", toolName(peer), sameGroups(mine, theirs),
                    sameGroups(mine + "/limit256", theirs + "/limit256"));
    }
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
    for (const TreeShape& shape : treeShapes()) registerSearches(shape);
    const double loadAtStart = loadNow();
    benchmark::RunSpecifiedBenchmarks();
    printKernel();
    std::printf("processors: %u; load (runnable tasks, one-minute mean): %.1f at the start, %.1f at the end\n",
                std::thread::hardware_concurrency(), loadAtStart, loadNow());
    if (!coldRunsRefused().empty()) std::printf("cold runs skipped: %s\n", coldRunsRefused().c_str());
    printTableHead();
    for (const TreeShape& shape : treeShapes()) {
        if (shape.name == "empty") continue;
        for (const char* run : {"warm", "cold", "limit256"}) printTreeTable(shape, run);
    }
    for (const TreeShape& shape : treeShapes()) printGroupCheck(shape);
    trees().clear();
    benchmark::Shutdown();
    return 0;
}
