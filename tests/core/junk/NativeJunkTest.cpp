#include "core/junk/FastCleanScanFile.h"
#include "core/junk/JunkLocations.h"
#include "core/junk/JunkRemoval.h"
#include "core/kit/EuAuthorization.h"
#include "platform/desktop/RunningApplications.h"
#include "platform/files/PathText.h"
#include "support/FakeMountedVolumes.h"
#include "support/FakePrivilegedSession.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <set>

using core::junk::JunkLocations;
using core::junk::JunkRemoval;
using Outcome = JunkRemoval::Outcome;

namespace {

using testsupport::exists;

class NoApplications : public platform::RunningApplications {
public:
    std::vector<platform::RunningApplication> runningApplications() override { return {}; }
};

// A Linux desktop's home in a temporary folder, with no root: the junk cleaner's macOS
// locations resolve to the home's XDG folders. No volumes, no running applications.
class LinuxHome {
public:
    testsupport::ScopedEnvironment environment{[](platform::Environment::Values& values) { values.root = "/"; }};
    testsupport::MountedVolumesReset volumesReset;

    LinuxHome() {
        testsupport::FakeMountedVolumes::install({});
        platform::RunningApplications::setShared(std::make_shared<NoApplications>());
    }
    ~LinuxHome() { platform::RunningApplications::setShared(nullptr); }

    std::string home(const std::string& relative = "") const {
        return platform::normalizedPath(environment.folder() / ("home/" + relative));
    }
    std::string file(const std::string& relative, const std::string& content = "x") const {
        return environment.folder().writeFile("home/" + relative, content);
    }
    // A trashed item with its record, as a file manager leaves it.
    std::string trash(const std::string& name) const {
        file(".local/share/Trash/info/" + name + ".trashinfo", "[Trash Info]\nPath=/tmp/" + name + "\n");
        return file(".local/share/Trash/files/" + name, "trashed");
    }
};

}  // namespace

// The junk cleaner on a Linux home: it offers what lies in the caches and the trash, and a
// removal takes each trashed item's record with it; documents and browser data stay.
TEST(NativeJunk, TheScanOffersTheCacheAndTheTrashAndTheCleanTakesTheTrashRecords) {
    LinuxHome linux;
    auto session = std::make_shared<testsupport::FakePrivilegedSession>();
    core::EuAuthorization::setShared(std::make_shared<core::EuAuthorization>(session));
    const std::string cache = linux.file(".cache/a", "cached");
    const std::string trashed = linux.trash("x");
    const std::string kept = linux.trash("y");
    const std::string history = linux.file(".config/google-chrome/Default/History", "history");
    const std::string document = linux.file("Documents/report.txt", "mine");

    JunkRemoval::Categories categories = core::junk::FastCleanScanFile().beginScan();
    std::set<std::string> offered;
    for (const auto& category : categories)
        for (const auto& item : category->detailChildren) offered.insert(item->path);
    EXPECT_EQ(offered, (std::set<std::string>{cache, trashed, kept}));
    // Nothing outside the temporary home is ever handed to the removal.
    for (const auto& path : offered) ASSERT_TRUE(platform::isInsideOrEqual(path, linux.home())) << path;

    for (auto& item : categories[3]->detailChildren) item->selectState = item->path == trashed ? 1 : 0;
    JunkRemoval removal(categories);
    removal.run();
    ASSERT_EQ(removal.items().size(), 2u);
    for (const auto& item : removal.items()) EXPECT_EQ(item.outcome, Outcome::Removed) << item.path;
    EXPECT_FALSE(exists(cache));
    EXPECT_FALSE(exists(trashed));
    EXPECT_FALSE(exists(linux.home(".local/share/Trash/info/x.trashinfo")));
    for (const auto& path : {kept, linux.home(".local/share/Trash/info/y.trashinfo"), history, document})
        EXPECT_TRUE(exists(path)) << path;
    EXPECT_EQ(session->prompts, 0);
    core::EuAuthorization::setShared(nullptr);
}

// A record that is not a plain file, or an "info" folder that is a link, is never followed.
TEST(NativeJunk, ARecordIsRemovedOnlyAsAPlainFileInTheTrashsOwnInfoFolder) {
    enum class Plant { RecordIsALink, InfoIsALink };
    for (Plant plant : {Plant::RecordIsALink, Plant::InfoIsALink}) {
        LinuxHome linux;
        const std::string trashed = linux.trash("x");
        const std::string elsewhere = linux.file("Documents/x.trashinfo", "mine");
        const std::string info = linux.home(".local/share/Trash/info");
        if (plant == Plant::RecordIsALink) {
            ASSERT_EQ(unlink((info + "/x.trashinfo").c_str()), 0);
            ASSERT_EQ(symlink(elsewhere.c_str(), (info + "/x.trashinfo").c_str()), 0);
        } else {
            ASSERT_EQ(rename(info.c_str(), (info + "-moved").c_str()), 0);
            ASSERT_EQ(symlink(linux.home("Documents").c_str(), info.c_str()), 0);
        }
        JunkRemoval::Categories categories = core::junk::FastCleanScanFile().beginScan();
        for (auto& item : categories[3]->detailChildren) item->selectState = 1;
        for (auto& item : categories[1]->detailChildren) item->selectState = 0;
        testsupport::LogCapture log;
        JunkRemoval removal(categories);
        removal.run([](const platform::ChosenItem& item) { return platform::ItemRemoval::remove(item).outcome; });
        ASSERT_EQ(removal.items().size(), 1u);
        EXPECT_EQ(removal.items()[0].outcome, Outcome::Removed);
        EXPECT_EQ(testsupport::readWholeFile(elsewhere), "mine");
        EXPECT_TRUE(exists(info + "/x.trashinfo"));
        EXPECT_EQ(log.contains("is not a plain file"), plant == Plant::RecordIsALink);
    }
}

// Natively a removable volume's trash is the Linux desktop's: "<top>/.Trash-<uid>/files", and
// "<top>/.Trash/<uid>/files" when ".Trash" is a sticky folder that is not a link. The start-up
// disk and fixed disks have none.
TEST(NativeJunk, VolumeTrashesAreTheRemovableVolumesOwn) {
    LinuxHome linux;
    const testsupport::TempFolder& folder = linux.environment.folder();
    const std::string uid = std::to_string(getuid());
    auto volume = [&](const std::string& name, bool removable, bool externalBus) {
        platform::MountedVolume mounted;
        mounted.rootPath = name == "/" ? "/" : folder.makeFolder("media/" + name);
        mounted.totalBytes = 1 << 20;
        mounted.removable = removable;
        mounted.externalBus = externalBus;
        return mounted;
    };
    std::vector<platform::MountedVolume> volumes{volume("/", true, true), volume("stick", true, false),
                                                 volume("disk", false, true), volume("linked", true, false),
                                                 volume("open", true, false), volume("fixed", false, false)};
    const std::string stickTrash = folder.makeFolder("media/stick/.Trash");
    ASSERT_EQ(chmod(stickTrash.c_str(), 01777), 0);
    ASSERT_EQ(symlink(stickTrash.c_str(), (folder / "media/linked/.Trash").c_str()), 0);
    ASSERT_EQ(chmod(folder.makeFolder("media/open/.Trash").c_str(), 0777), 0);
    folder.makeFolder("media/fixed/.Trash");
    testsupport::FakeMountedVolumes::install(volumes);

    std::vector<std::string> array;
    JunkLocations::trashPaths(array);
    const std::vector<std::string> expected{
        folder / ("media/stick/.Trash-" + uid + "/files"),  folder / ("media/stick/.Trash/" + uid + "/files"),
        folder / ("media/disk/.Trash-" + uid + "/files"),   folder / ("media/linked/.Trash-" + uid + "/files"),
        folder / ("media/open/.Trash-" + uid + "/files"),   linux.home(".local/share/Trash/files"),
        linux.home("Library/Mobile Documents/.Trash")};
    EXPECT_EQ(array, expected);
}
