#include "support/BenchTree.h"

#include "platform/files/FileManager.h"
#include "platform/system/Environment.h"
#include "platform/system/PosixProcessRunner.h"

#include <fcntl.h>
#include <unistd.h>

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

void timeTool(benchmark::State& state, std::vector<std::string> arguments, const std::string& tree) {
    platform::PosixProcessRunner runner;
    platform::ProcessRequest request{std::move(arguments), std::chrono::minutes(5)};
    request.environment = {{"HOME", tree}};
    for (auto _ : state) {
        auto result = runner.run(request);
        if (!result.succeeded()) state.SkipWithError(("failed: " + request.arguments.front()).c_str());
    }
}

int runOverGeneratedTree(int argc, char** argv, const std::function<bool(const std::string& root)>& generate,
                         const std::function<void()>& warm) {
    std::string root = (std::filesystem::temp_directory_path() / "duridove-bench-XXXXXX").string();
    if (!mkdtemp(root.data())) return 1;
    platform::Environment::Values values = platform::Environment::valuesFromProcess();
    values.root = root;
    values.loginName = "bench";
    values.systemVersion = "10.15";
    values.runtimeFolder = root + "/runtime";
    platform::Environment::setCurrent(std::make_shared<platform::Environment>(values));
    int status = 1;
    if (generate(root)) {
        warm();
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        status = 0;
    }
    platform::FileManager::removeItemAtPath(root);
    return status;
}

}  // namespace bench
