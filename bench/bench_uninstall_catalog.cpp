// The uninstaller's application catalogue over a generated tree of 2,000 bundles under
// /Applications and 50,000 other entries under ~/Downloads, without sizes (what the page shows
// at once) and with every row sized through the lazy size requests; the sized catalogue as a
// process of its own raced against "du -sb" and "gdu -npc" over the whole tree.
#include "core/uninstall/AppCatalogScanner.h"
#include "core/uninstall/AppSizeRequests.h"
#include "platform/system/PlistValue.h"
#include "support/BenchTree.h"

#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

namespace {

using core::uninstall::AMAppItemPtr;
using core::uninstall::AppCatalogScanner;
using core::uninstall::AppKind;

std::string root;
uint64_t entryCount = 0;
unsigned seed = 1;

bool makeFile(const std::string& path) {
    seed = seed * 1103515245u + 12345u;
    ++entryCount;
    return bench::makeSparseFile(path, static_cast<off_t>((seed >> 8) % 65536));
}

bool makeBundle(const std::string& bundle, int number) {
    std::filesystem::create_directories(bundle + "/Contents/MacOS");
    std::filesystem::create_directories(bundle + "/Contents/Resources");
    platform::PlistValue info{platform::PlistValue::Dictionary{}};
    info.set("CFBundleIdentifier", "com.example.app" + std::to_string(number));
    info.set("CFBundleName", "App " + std::to_string(number));
    info.set("CFBundleShortVersionString", "1." + std::to_string(number % 10));
    info.set("CFBundleIconFile", "AppIcon");
    entryCount += 4;
    bool made = info.writeFile(bundle + "/Contents/Info.plist") && makeFile(bundle + "/Contents/MacOS/app") &&
                makeFile(bundle + "/Contents/Resources/AppIcon.icns");
    for (int file = 0; made && file < 4; ++file)
        made = makeFile(bundle + "/Contents/Resources/strings" + std::to_string(file));
    return made;
}

bool generateTree(const std::string& treeRoot) {
    root = treeRoot;
    const std::string applications = root + "/Applications";
    bool made = true;
    for (int app = 0; made && app < 2000; ++app) {
        // One in four sits in a vendor folder.
        const std::string folder = app % 4 == 0 ? applications + "/Vendor" + std::to_string(app / 40) : applications;
        made = makeBundle(folder + "/App" + std::to_string(app) + ".app", app);
    }
    const std::string downloads = root + "/Users/bench/Downloads";
    for (int folder = 0; made && folder < 500; ++folder) {
        const std::string path = downloads + "/folder" + std::to_string(folder);
        std::filesystem::create_directories(path);
        ++entryCount;
        for (int file = 0; made && file < 99; ++file) made = makeFile(path + "/file" + std::to_string(file));
    }
    return made;
}

std::vector<AMAppItemPtr> catalogue() {
    return AppCatalogScanner::scanKind(AppKind::Applications, AppCatalogScanner::searchPaths()[0]);
}

void BM_CatalogueWithoutSizes(benchmark::State& state) {
    size_t listed = 0;
    for (auto _ : state) listed = catalogue().size();
    state.counters["applications"] = static_cast<double>(listed);
}

// Every row asks for its size at once, as a table scrolled through the whole list would; the
// main thread is stood in for by a lock.
void catalogueWithSizes() {
    auto items = catalogue();
    std::mutex mutex;
    std::condition_variable done;
    size_t measured = 0;
    core::Executors executors = core::Executors::inlineExecutors();
    executors.global = [](core::Task task) { std::thread(std::move(task)).detach(); };
    executors.main = [&](core::Task task) {
        std::lock_guard<std::mutex> lock(mutex);
        task();
    };
    core::uninstall::AppSizeRequests sizes(executors, [&](const AMAppItemPtr&) {
        ++measured;
        done.notify_one();
    });
    {
        std::lock_guard<std::mutex> lock(mutex);
        for (const auto& item : items) sizes.sizeOf(item);
    }
    std::unique_lock<std::mutex> lock(mutex);
    done.wait(lock, [&] { return measured == items.size(); });
}

void BM_CatalogueWithSizes(benchmark::State& state) {
    for (auto _ : state) catalogueWithSizes();
}

}  // namespace

BENCHMARK(BM_CatalogueWithoutSizes)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_CatalogueWithSizes)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

int main(int argc, char** argv) {
    // In a process of its own ("--catalogue ROOT"): the sized catalogue of the tree in root.
    if (argc == 3 && std::string(argv[1]) == "--catalogue") {
        bench::resolveMacPathsInto(argv[2]);
        catalogueWithSizes();
        return 0;
    }
    return bench::runOverGeneratedTree(argc, argv, generateTree, [] {
        std::printf("generated %llu entries under %s\n", static_cast<unsigned long long>(entryCount), root.c_str());
        catalogue();
        bench::addTreeSizerRaces("BM_CatalogueWithSizes", "sized catalogue,", {"--catalogue", root}, root, 15);
    });
}
