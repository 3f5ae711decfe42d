#include "support/BenchTree.h"

#include "platform/files/FileManager.h"
#include "platform/system/Environment.h"
#include "platform/system/PosixProcessRunner.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace bench {

bool makeSparseFile(const std::string& path, off_t size) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool sized = ftruncate(fd, size) == 0;
    close(fd);
    return sized;
}

bool generateSizeTree(const std::string& root, SizeTree& tree) {
    constexpr int kTop = 20, kMiddle = 20, kBottom = 25, kFilesPerFolder = 30;
    tree = SizeTree{root + "/tree"};
    std::printf("generating %d files in %s\n", kTop * kMiddle * kBottom * kFilesPerFolder, tree.path.c_str());
    unsigned seed = 1;
    for (int top = 0; top < kTop; ++top)
        for (int middle = 0; middle < kMiddle; ++middle)
            for (int bottom = 0; bottom < kBottom; ++bottom) {
                std::string folder = tree.path + "/top" + std::to_string(top) + "/middle" + std::to_string(middle) +
                                     "/bottom" + std::to_string(bottom);
                std::filesystem::create_directories(folder);
                for (int file = 0; file < kFilesPerFolder; ++file) {
                    seed = seed * 1103515245u + 12345u;
                    off_t size = static_cast<off_t>((seed >> 8) % 65536);
                    if (!makeSparseFile(folder + "/file" + std::to_string(file) + ".dat", size)) return false;
                    tree.bytes += static_cast<uint64_t>(size);
                }
            }
    tree.entries = kTop * (1 + kMiddle * (1 + kBottom * (1 + kFilesPerFolder)));
    return true;
}

void addTreeSizerRaces(const std::string& name, const std::string& what, const std::vector<std::string>& ours,
                       const std::string& tree, int rounds, const std::function<bool()>& prepare) {
    const std::vector<std::pair<std::string, Contender>> peers{{"DuSb", {"du -sb", {"du", "-sb", tree}}},
                                                               {"Gdu", {"gdu", {"gdu", "-npc", tree}}}};
    for (const auto& [peerName, peer] : peers) {
        auto race = std::make_shared<ProcessRace>(what + " vs " + peer.name,
                                                  Contender{"Duridove", ProcessRace::ourselves(ours)}, peer);
        race->setEnvironment({{"HOME", tree}});
        if (prepare) race->setPreparation(prepare);
        ProcessRace::add(name + "_vs_" + peerName, rounds, race);
    }
}

void resolveMacPathsInto(const std::string& root) {
    platform::Environment::Values values = platform::Environment::valuesFromProcess();
    values.root = root;
    values.loginName = "bench";
    values.systemVersion = "10.15";
    values.runtimeFolder = root + "/runtime";
    platform::Environment::setCurrent(std::make_shared<platform::Environment>(values));
}

int runOverGeneratedTree(int argc, char** argv, const std::function<bool(const std::string& root)>& generate,
                         const std::function<void()>& warm, const std::function<void()>& report) {
    std::string root = (std::filesystem::temp_directory_path() / "duridove-bench-XXXXXX").string();
    if (!mkdtemp(root.data())) return 1;
    resolveMacPathsInto(root);
    int status = 1;
    if (generate(root)) {
        warm();
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        if (report) report();
        benchmark::Shutdown();
        status = 0;
    }
    platform::FileManager::removeItemAtPath(root);
    return status;
}

}  // namespace bench
