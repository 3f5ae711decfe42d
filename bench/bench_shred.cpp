// The shredder's whole job on a 1 GiB file (every overwrite pass, then the truncate, the
// renames, the removal and the sync of its folder), run as a process of its own, beside whole
// processes of GNU shred and of dd writing zeros over the file with conv=fdatasync (what the
// device can do at most for one pass), interleaved round by round. Before every run a fresh
// file is written, flushed and dropped from the page cache. The file lives in a fresh folder
// under $TMPDIR (default /tmp), which should be on a real disk.
//
// The engine's first pass writes zeros and every further pass random bytes, and a device may
// take zeros faster than other bytes (a virtual disk's store often does), so the passes are
// also raced against dd writing the same bytes: zeros, then random bytes read from a file in
// memory (/dev/shm), drawn once before the runs.

#include "core/shredder/RemoveFileAndFolder.h"
#include "core/shredder/SecureRandom.h"
#include "platform/files/FileDescriptor.h"
#include "platform/files/PathText.h"
#include "platform/files/ResolvedParentPath.h"
#include "platform/system/PlistUserDefaults.h"
#include "support/ProcessRace.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr uint64_t fileSize = uint64_t{1} << 30;
constexpr int rounds = 5;

std::string folder;
std::string victim;
std::string randomSource;  // in memory; empty when it could not be made

// A fresh file of fileSize bytes with its content on the device and out of the cache.
bool writeVictim() {
    platform::FileDescriptor file(open(victim.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (!file.isOpen()) return false;
    std::vector<char> chunk(core::SecureEraser::chunkSize, 'x');
    for (uint64_t written = 0; written < fileSize; written += chunk.size())
        if (write(file.get(), chunk.data(), chunk.size()) != static_cast<ssize_t>(chunk.size())) return false;
    if (fdatasync(file.get()) != 0) return false;
    posix_fadvise(file.get(), 0, 0, POSIX_FADV_DONTNEED);
    return true;
}

class QuietDelegate : public core::RemoveFileAndFolderDelegate {
public:
    void removeProgress(const std::string&, float) override {}
    void removeObjEnd(core::RemoveFileAndFolder*) override {}
};

// The user defaults that set the passes, written before any run (untimed).
std::string defaultsFile(int passes) { return folder + "/defaults-" + std::to_string(passes) + ".plist"; }

// In a process of its own ("--erase FILE DEFAULTS"): the engine's whole run over the one file,
// as the shredder page starts it, with the passes the user set in the defaults.
int eraseWhole(const std::string& path, const std::string& defaults) {
    platform::UserDefaults::setShared(std::make_shared<platform::PlistUserDefaults>(defaults));
    auto item = std::make_shared<core::FileObj>();
    item->name = platform::lastPathComponent(path);
    item->url = platform::resolvedParentPath(path).value_or(path);
    item->size = static_cast<int64_t>(fileSize);
    item->chosen = platform::ChosenItem::take(item->url);
    QuietDelegate delegate;
    auto engine = std::make_shared<core::RemoveFileAndFolder>(core::Executors::inlineExecutors());
    engine->setDelegate(&delegate);
    engine->benginToTraskWithArr({item});
    const auto handled = engine->deleteErrorArr();
    return handled.size() == 1 && handled.front()->failStr == "Success" && access(path.c_str(), F_OK) != 0 ? 0 : 1;
}

// A file of fileSize random bytes in shared memory, so reading it costs dd no disk time.
bool writeRandomSource() {
    std::string path = "/dev/shm/duridove-bench-random-XXXXXX";
    platform::FileDescriptor file(mkstemp(path.data()));
    if (!file.isOpen()) return false;
    std::vector<unsigned char> chunk(core::SecureEraser::chunkSize);
    core::SecureRandom random;
    for (uint64_t written = 0; written < fileSize; written += chunk.size())
        if (!random.fill(chunk.data(), chunk.size()) ||
            write(file.get(), chunk.data(), chunk.size()) != static_cast<ssize_t>(chunk.size())) {
            unlink(path.c_str());
            return false;
        }
    randomSource = path;
    return true;
}

std::vector<std::string> ddPass(const std::string& source = "/dev/zero") {
    return {"dd", "if=" + source, "of=" + victim, "bs=16M", "count=64", "conv=notrunc,fdatasync", "status=none"};
}

// dd's passes one after the other in one shell, then the file removed when removing is set.
std::vector<std::string> ddSequence(const std::vector<std::vector<std::string>>& passes, bool removing) {
    std::string script;
    for (const auto& pass : passes) {
        for (const auto& argument : pass) script += argument + " ";
        script += "|| exit 1; ";
    }
    return {"sh", "-c", script + (removing ? "rm " + victim : "true")};
}

std::vector<std::string> ddPasses(int passes, bool removing) {
    return ddSequence(std::vector<std::vector<std::string>>(static_cast<size_t>(passes), ddPass()), removing);
}

void addRace(const std::string& name, const std::string& what, int passes, bench::Contender peer) {
    platform::PlistUserDefaults(defaultsFile(passes)).setObject("WipeTimes", static_cast<int64_t>(passes));
    auto race = std::make_shared<bench::ProcessRace>(
        what, bench::Contender{"Duridove", bench::ProcessRace::ourselves({"--erase", victim, defaultsFile(passes)})},
        std::move(peer));
    race->setPreparation(writeVictim);
    bench::ProcessRace::add(name, rounds, race);
}

void addRaces() {
    addRace("BM_OnePass_vs_Dd", "1 GiB, one zero pass, whole job vs dd's pass", 1, {"dd", ddPass()});
    // Freeing the file's blocks takes its time on some file systems (those mounted with online
    // discard most of all), whoever removes it: the limit of a whole job is a pass and rm.
    addRace("BM_OnePass_vs_DdRm", "1 GiB, one zero pass, whole job vs dd's pass and rm", 1,
            {"dd+rm", ddPasses(1, true)});
    addRace("BM_OnePass_vs_ShredZeroUnlink", "1 GiB, one zero pass, whole job vs shred -n0 -z -u", 1,
            {"shred -n0 -z -u", {"shred", "-n0", "-z", "-u", victim}});
    addRace("BM_ThreePasses_vs_ThreeDd", "1 GiB, three passes, whole job vs three dd passes", 3,
            {"dd x3", ddPasses(3, false)});
    if (!randomSource.empty())
        addRace("BM_ThreePasses_vs_SameBytesDd", "1 GiB, three passes, whole job vs dd's zero pass, two random ones and rm",
                3, {"dd 0+r+r+rm", ddSequence({ddPass(), ddPass(randomSource), ddPass(randomSource)}, true)});
    else
        std::fprintf(stderr, "no random bytes in /dev/shm: the race against dd's random passes is left out\n");
    addRace("BM_ThreePasses_vs_ShredUnlink", "1 GiB, three passes, whole job vs shred -u (three passes)", 3,
            {"shred -u", {"shred", "-u", victim}});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--erase") return eraseWhole(argv[2], argv[3]);
    folder = (std::filesystem::temp_directory_path() / "duridove-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) return 1;
    victim = folder + "/victim.bin";
    writeRandomSource();
    addRaces();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    if (!randomSource.empty()) unlink(randomSource.c_str());
    return 0;
}
