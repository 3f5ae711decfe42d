#include "core/shredder/ShredList.h"
#include "platform/files/ResolvedParentPath.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <fstream>

using core::ShredList;
using testsupport::TempFolder;

namespace {

std::vector<std::string> urlsOf(const ShredList& list) {
    std::vector<std::string> urls;
    for (const auto& item : list.valueArr()) urls.push_back(item->url);
    return urls;
}

std::string real(const std::string& path) { return platform::resolvedParentPath(path).value(); }

// A list whose only home folder is the given one.
ShredList listWithHome(const std::string& home, const std::string& udevFolder = platform::PathVolume::kUdevDataFolder) {
    return ShredList(core::ProtectedFolders({home}), udevFolder);
}

}  // namespace

TEST(ShredList, DropsGiveOneRowPerRealItemAndSkipTheRootWithItsName) {
    testsupport::ScopedEnvironment environment;
    TempFolder temp;
    const std::string a = temp.writeFile("a.txt", "alpha");
    const std::string b = temp.writeFile("docs/b.pdf", "bravo!");
    const std::string folder = temp.makeFolder("docs/old");
    ShredList list = listWithHome(temp / "home");
    testsupport::LogCapture log;

    const ShredList::Addition first =
        list.addPaths({a, "/", a, folder + "/", temp.path() + "//docs/./old/../b.pdf", temp / "missing"});
    const ShredList::Addition second = list.addPaths({b, folder});

    EXPECT_EQ(urlsOf(list), (std::vector<std::string>{real(a), real(folder), real(b)}));
    EXPECT_EQ(first.added, 3u);
    EXPECT_EQ(first.protectedPaths, std::vector<std::string>{"/"});
    EXPECT_FALSE(first.refusedVolume);
    EXPECT_EQ(second.added, 0u);
    EXPECT_TRUE(log.contains(temp / "missing"));
    const auto& rows = list.valueArr();
    EXPECT_EQ(rows[0]->name, "a.txt");
    EXPECT_EQ(rows[0]->type, "txt");
    EXPECT_EQ(rows[0]->size, 5);
    EXPECT_FALSE(rows[0]->isDir);
    EXPECT_EQ(rows[1]->type, "Folder");
    EXPECT_EQ(rows[1]->size, 0);
    EXPECT_TRUE(rows[1]->isDir);
    EXPECT_TRUE(rows[2]->isSelect);
}

TEST(ShredList, TheHomeAndEveryFolderHoldingItAreSkippedInEachOfTheirForms) {
    testsupport::ScopedEnvironment environment;
    TempFolder temp;
    const std::string home = temp.makeFolder("Users/demo");
    const std::string kept = temp.writeFile("Users/demo/Documents/note.txt", "note");
    ASSERT_EQ(symlink((temp / "Users").c_str(), (temp / "people").c_str()), 0);
    ShredList list = listWithHome(home);

    const ShredList::Addition addition =
        list.addPaths({home, temp / "Users", temp.path(), temp / "people/demo", home + "/Documents/note.txt", "/"});

    EXPECT_EQ(addition.protectedPaths,
              (std::vector<std::string>{home, temp / "Users", temp.path(), temp / "people/demo", "/"}));
    EXPECT_EQ(urlsOf(list), std::vector<std::string>{real(kept)});
}

TEST(ShredList, ADroppedLinkIsListedAsTheLinkItself) {
    testsupport::ScopedEnvironment environment;
    TempFolder temp;
    const std::string target = temp.writeFile("data/target.bin", std::string(100, 'x'));
    const std::string folder = temp.makeFolder("data/folder");
    ASSERT_EQ(symlink(target.c_str(), (temp / "file.lnk").c_str()), 0);
    ASSERT_EQ(symlink(folder.c_str(), (temp / "folder.lnk").c_str()), 0);
    ShredList list = listWithHome(temp / "home");

    list.addPaths({temp / "file.lnk", temp / "folder.lnk/"});

    EXPECT_EQ(urlsOf(list), (std::vector<std::string>{real(temp / "file.lnk"), real(temp / "folder.lnk")}));
    for (const auto& row : list.valueArr()) {
        EXPECT_FALSE(row->isDir) << row->url;
        EXPECT_EQ(row->type, "lnk");
    }
    EXPECT_EQ(list.valueArr()[0]->size, static_cast<int64_t>(target.size()));
}

TEST(ShredList, TicksGiveTheSelectAllStateAndTheOutcomeIsJudgedByExistence) {
    testsupport::ScopedEnvironment environment;
    TempFolder temp;
    const std::string gone = temp.writeFile("gone.txt", "1");
    const std::string stays = temp.writeFile("stays.txt", "2");
    const std::string unticked = temp.writeFile("unticked.txt", "3");
    ShredList list = listWithHome(temp / "home");
    EXPECT_EQ(list.aSelectAllState(), ShredList::kNoneSelected);
    list.addPaths({gone, stays, unticked});

    struct Step {
        std::function<void()> act;
        int state;
    };
    for (const Step& step : {Step{[] {}, ShredList::kAllSelected},
                             Step{[&] { list.selectListButton(2); }, ShredList::kSomeSelected},
                             Step{[&] { list.setAllSelectOrNoSelect(); }, ShredList::kAllSelected},
                             Step{[&] { list.setAllSelectOrNoSelect(); }, ShredList::kNoneSelected},
                             Step{[&] { list.setAllSelectOrNoSelect(); }, ShredList::kAllSelected},
                             Step{[&] { list.selectListButton(2); }, ShredList::kSomeSelected}}) {
        step.act();
        EXPECT_EQ(list.aSelectAllState(), step.state);
        EXPECT_EQ(list.isWipeEnabled(), step.state != ShredList::kNoneSelected);
    }

    ASSERT_EQ(unlink(gone.c_str()), 0);
    const auto taken = list.takeSelectedWithOutcome();

    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0]->failStr, "Erased");
    EXPECT_EQ(taken[1]->failStr, "Failed");
    EXPECT_EQ(ShredList::failedItems(taken), std::vector<std::shared_ptr<core::FileObj>>{taken[1]});
    EXPECT_EQ(urlsOf(list), std::vector<std::string>{real(unticked)});
    EXPECT_EQ(list.aSelectAllState(), ShredList::kNoneSelected);
    list.emptyList();
    EXPECT_TRUE(list.valueArr().empty());
}

// The volume of every dropped item is looked up by its device in the mount table under the
// environment's /proc root; a FUSE block mount takes the type udev probed on the device.
TEST(ShredList, AnItemOnAnNtfsOrReadOnlyVolumeRefusesTheWholeDrop) {
    struct Case {
        const char* type;
        const char* options;
        const char* probed;
        bool refused;
    };
    for (const Case& each : {Case{"ext4", "rw", nullptr, false}, Case{"ntfs3", "rw", nullptr, true},
                             Case{"fuseblk", "rw", "ntfs", true}, Case{"fuseblk", "rw", "exfat", false},
                             Case{"fuseblk.ntfs-3g", "rw", nullptr, true}, Case{"ext4", "ro", nullptr, true}}) {
        SCOPED_TRACE(std::string(each.type) + " " + each.options);
        testsupport::ScopedEnvironment environment;
        TempFolder temp;
        const std::string elsewhere = "/dev/null";  // on another device, not in the table
        const std::string onVolume = temp.writeFile("volume/b.txt", "b");
        struct stat info {};
        ASSERT_EQ(stat(onVolume.c_str(), &info), 0);
        const std::string device = std::to_string(major(info.st_dev)) + ":" + std::to_string(minor(info.st_dev));
        // The temporary folder's own device, listed as the volume under test.
        std::ofstream(environment.folder().makeFolder("proc/self") + "/mountinfo")
            << "27 1 " << device << " / " << temp.path() << " " << each.options << " - " << each.type
            << " /dev/sdb1 " << each.options << "\n";
        const std::string udev = environment.folder().makeFolder("udev");
        if (each.probed) std::ofstream(udev + "/b" + device) << "S:disk/by-label/STICK\nE:ID_FS_TYPE=" << each.probed << "\n";
        ShredList list = listWithHome(temp / "home", udev);

        const ShredList::Addition addition = list.addPaths({elsewhere, onVolume});

        EXPECT_EQ(addition.refusedVolume, each.refused);
        EXPECT_EQ(list.valueArr().size(), each.refused ? 0u : 2u);
    }
}
