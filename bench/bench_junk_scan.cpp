// A whole junk scan of a generated Mac-like home of about 100,000 files in the places the six
// categories look: in this process with the sizing pool and on one thread, and as a process of
// its own beside whole "du -sb" and gdu processes over the same tree, interleaved round by
// round, warm and cold (the cold runs drop every cache first, so they need root).
#include "core/junk/FastCleanScanFile.h"
#include "support/BenchTree.h"
#include "support/ProcessRace.h"
#include "support/TaskPool.h"

#include <unistd.h>

#include <cstdio>
#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>

namespace {

std::string root;
uint64_t fileCount = 0;
unsigned seed = 1;

bool makeFile(const std::string& path) {
    seed = seed * 1103515245u + 12345u;
    ++fileCount;
    return bench::makeSparseFile(path, static_cast<off_t>((seed >> 8) % 32768));
}

// folders × files in each, under a macOS path.
bool makeFiles(const std::string& macFolder, int folders, int files) {
    for (int folder = 0; folder < folders; ++folder) {
        std::string path = root + macFolder + (folders > 1 ? "/f" + std::to_string(folder) : "");
        std::filesystem::create_directories(path);
        for (int file = 0; file < files; ++file)
            if (!makeFile(path + "/file" + std::to_string(file))) return false;
    }
    return true;
}

bool generateHome(const std::string& treeRoot) {
    root = treeRoot;
    const std::string home = "/Users/bench";
    bool made = true;
    for (int app = 0; app < 250; ++app)
        made = made && makeFiles(home + "/Library/Caches/com.example.app" + std::to_string(app), 5, 40);
    for (int app = 0; app < 100; ++app)
        made = made && makeFiles(home + "/Library/Containers/com.example.c" + std::to_string(app) + "/Data/Library/Caches", 4, 25);
    for (int project = 0; project < 20; ++project)
        made = made && makeFiles(home + "/Library/Developer/Xcode/DerivedData/Project" + std::to_string(project), 10, 100);
    made = made && makeFiles(home + "/Library/Logs/Apps", 50, 100) && makeFiles("/private/var/log", 1, 2000) &&
           makeFiles(home + "/.Trash", 30, 100) &&
           makeFiles(home + "/Library/Containers/com.apple.mail/Data/Library/Mail Downloads", 10, 100) &&
           makeFiles(home + "/Library/Application Support/Steam/appcache", 20, 100);
    const std::string weChat = home + "/Library/Containers/com.tencent.xinWeChat/Data/Library/Application Support/"
                                      "com.tencent.xinWeChat/2.0/hash/Message/MessageTemp/chat";
    for (int chat = 0; chat < 50; ++chat)
        made = made && makeFiles(weChat + std::to_string(chat) + "/Image", 1, 50) &&
               makeFiles(weChat + std::to_string(chat) + "/Video", 1, 10) &&
               makeFiles(weChat + std::to_string(chat) + "/Audio", 1, 20);
    const std::string qq = home + "/Library/Containers/com.tencent.qq/Data/Library/Application Support/QQ/nt_qq_";
    for (int account = 0; account < 5; ++account)
        made = made && makeFiles(qq + std::to_string(account) + "/Cache", 5, 100) &&
               makeFiles(qq + std::to_string(account) + "/nt_data/Pic", 5, 100) &&
               makeFiles(qq + std::to_string(account) + "/nt_data/log", 1, 100);
    return made;
}

// The application's shared pool: as many threads as processors, started at the first post.
core::Executors poolExecutors() {
    // Never destroyed: its threads wait on it until the process ends.
    static auto* pool = new bench::TaskPool(std::max(1u, std::thread::hardware_concurrency()));
    core::Executors executors = core::Executors::inlineExecutors();
    executors.global = pool->executor();
    return executors;
}

void scan(benchmark::State& state, core::Executors executors) {
    core::junk::FastCleanScanFile scanner(std::move(executors));
    uint64_t items = 0;
    scanner.pathSEL = [&items](const std::string&) { ++items; };
    for (auto _ : state) benchmark::DoNotOptimize(scanner.beginScan());
    state.counters["files/s"] =
        benchmark::Counter(static_cast<double>(fileCount * state.iterations()), benchmark::Counter::kIsRate);
    state.counters["reports"] = static_cast<double>(items / state.iterations());
}

void BM_JunkScanWithPool(benchmark::State& state) { scan(state, poolExecutors()); }
void BM_JunkScanOneThread(benchmark::State& state) { scan(state, core::Executors::inlineExecutors()); }

// In a process of its own ("--scan ROOT"): one whole scan of the home generated in root, as
// the junk page runs it.
int scanWhole(const std::string& treeRoot) {
    bench::resolveMacPathsInto(treeRoot);
    core::junk::FastCleanScanFile scanner(poolExecutors());
    return scanner.beginScan().size() == core::junk::FastCleanScanFile::kCategoryCount ? 0 : 1;
}

// Every page of every file system dropped from the cache, after its dirty pages are written
// (the kernel drops only clean ones); needs root.
bool dropCaches() {
    sync();
    std::FILE* control = std::fopen("/proc/sys/vm/drop_caches", "w");
    if (!control) return false;
    const bool dropped = std::fputs("3", control) >= 0;
    return std::fclose(control) == 0 && dropped;
}

// The scan beside du and gdu over the whole generated tree, warm (each run finds the tree in
// the cache, as the one before left it) and cold.
void addRaces() {
    bench::addTreeSizerRaces("BM_JunkScan_Warm", "junk scan, warm,", {"--scan", root}, root, 15);
    bench::addTreeSizerRaces("BM_JunkScan_Cold", "junk scan, cold,", {"--scan", root}, root, 7, dropCaches);
}

}  // namespace

BENCHMARK(BM_JunkScanWithPool)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_JunkScanOneThread)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--scan") return scanWhole(argv[2]);
    return bench::runOverGeneratedTree(argc, argv, generateHome, [] {
        std::printf("generated %llu files under %s\n", static_cast<unsigned long long>(fileCount), root.c_str());
        core::junk::FastCleanScanFile().beginScan();  // brings the tree into the cache
        addRaces();
    });
}
