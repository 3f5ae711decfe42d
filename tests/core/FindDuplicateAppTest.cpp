#include "core/duplicates/FindDuplicateApp.h"
#include "platform/files/PathText.h"
#include "support/LogCapture.h"
#include "support/OpenLedger.h"
#include "support/RandomContent.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <thread>

using core::DuplicateAppGroup;
using core::FindDuplicateApp;
using testsupport::randomContent;

namespace {

using Names = std::vector<std::vector<std::string>>;

void runOnNewThread(core::Task task) { std::thread(std::move(task)).detach(); }

class FindDuplicateAppTest : public ::testing::Test {
protected:
    // A bundle of a small program: an executable, a property list, resources and an empty file.
    std::string writeBundle(const std::string& path, std::uint64_t seed = 1) {
        folder.writeFile(path + "/Contents/MacOS/Program", randomContent(9000, seed));
        folder.writeFile(path + "/Contents/Info.plist", randomContent(600, seed + 1));
        folder.writeFile(path + "/Contents/Resources/icon.png", randomContent(3000, seed + 2));
        folder.writeFile(path + "/Contents/PkgInfo", "");
        return folder / path;
    }

    FindDuplicateApp matcher(std::size_t workers = 1, core::Executor pool = {}) {
        return FindDuplicateApp(std::move(pool), workers, ledger.factory());
    }

    Names find(FindDuplicateApp& finder, const std::vector<std::string>& paths) {
        std::vector<DuplicateAppGroup> groups;
        finder.FindAppInArray(paths, groups);
        Names names;
        for (const auto& group : groups) {
            names.emplace_back();
            for (const auto& bundle : group) names.back().push_back(bundle.DirectoryName);
        }
        return names;
    }

    Names find(const std::vector<std::string>& paths) {
        FindDuplicateApp finder = matcher();
        return find(finder, paths);
    }

    testsupport::TempFolder folder;
    testsupport::LogCapture log;
    testsupport::OpenLedger ledger;
};

}  // namespace

TEST_F(FindDuplicateAppTest, IdenticalBundlesFormOneGroupInPathOrderWithTheEarliestLast) {
    const std::string first = writeBundle("a/First.app");
    const std::string other = writeBundle("b/Other.app", 50);
    // The same files under other names and places still make a copy.
    folder.writeFile("c/Second.app/Program", randomContent(9000, 1));
    folder.writeFile("c/Second.app/x/y/Info", randomContent(600, 2));
    folder.writeFile("c/Second.app/icon", randomContent(3000, 3));
    folder.writeFile("c/Second.app/empty", "");
    const std::string third = writeBundle("d/Third.app");
    const std::string larger = writeBundle("e/Larger.app");
    folder.writeFile("e/Larger.app/Contents/more", "x");
    FindDuplicateApp finder = matcher();
    std::vector<DuplicateAppGroup> groups;
    finder.FindAppInArray({first, other, folder / "c/Second.app", third, larger}, groups);
    ASSERT_EQ(groups.size(), 1u);
    ASSERT_EQ(groups[0].size(), 3u);
    EXPECT_EQ(groups[0][0].DirectoryName, "Second.app");
    EXPECT_EQ(groups[0][1].DirectoryName, "Third.app");
    EXPECT_EQ(groups[0][2].DirectoryPathName, first);
    EXPECT_EQ(groups[0][2].DirectorySize, 12600u);
    EXPECT_EQ(groups[0][2].AllFileInDirectory.size(), 4u);
    EXPECT_EQ(finder.getProgress(), 100u);
    // Each file is opened for its first kilobyte, its whole content, and once for each of the
    // two byte comparisons; the empty one never.
    EXPECT_EQ(ledger.count(first + "/Contents/MacOS/Program"), 4);
    EXPECT_EQ(ledger.count(first + "/Contents/PkgInfo"), 0);
    // Other first kilobytes: read no further. A size no other bundle has: never read.
    EXPECT_EQ(ledger.count(other + "/Contents/MacOS/Program"), 1);
    EXPECT_EQ(ledger.count(larger + "/Contents/MacOS/Program"), 0);
}

TEST_F(FindDuplicateAppTest, EmptyFilesPairUpByCountButAnExtraOneBreaksTheMatch) {
    const std::string a = writeBundle("A.app"), b = writeBundle("B.app");
    EXPECT_EQ(find({a, b}), (Names{{"B.app", "A.app"}}));
    folder.writeFile("B.app/Contents/Resources/extra", "");
    EXPECT_EQ(find({a, b}), Names{});
}

TEST_F(FindDuplicateAppTest, EqualSizesWithOtherContentDoNotMatch) {
    const std::string a = writeBundle("A.app");
    folder.writeFile("B.app/one", randomContent(9000, 1));
    folder.writeFile("B.app/two", randomContent(600, 2));
    folder.writeFile("B.app/four", "");
    // Same sizes and first kilobytes, other bytes at the end.
    std::string changed = randomContent(3000, 3);
    changed.back() ^= 1;
    folder.writeFile("B.app/three", changed);
    EXPECT_EQ(find({a, folder / "B.app"}), Names{});
}

TEST_F(FindDuplicateAppTest, BundlesOfEqualFingerprintsGroupOnlyWithByteEqualBundles) {
    const std::string program = randomContent(9000, 1);
    const std::string twin = testsupport::crcTwin(program, 5000, 0x33);
    const std::string original = writeBundle("A.app"), copy = writeBundle("C.app");
    const std::string crafted = writeBundle("B.app");
    folder.writeFile("B.app/Contents/MacOS/Program", twin);
    EXPECT_EQ(find({original, crafted}), Names{});
    // The odd one first: the two true copies still find each other.
    EXPECT_EQ(find({crafted, original, copy}), (Names{{"C.app", "A.app"}}));
}

TEST_F(FindDuplicateAppTest, AnUnreadableFileNeverMatchesNotEvenItsOwnTwin) {
    const std::string a = writeBundle("A.app"), b = writeBundle("B.app"), c = writeBundle("C.app");
    // Both twins fail: two failed fingerprints are no evidence of equal content.
    ledger.failing = {a + "/Contents/Info.plist", b + "/Contents/Info.plist"};
    EXPECT_EQ(find({a, b, c}), Names{});
    EXPECT_TRUE(log.contains("open file:" + a + "/Contents/Info.plist failed"));
    ledger.failing = {c + "/Contents/Info.plist"};
    EXPECT_EQ(find({a, b, c}), (Names{{"B.app", "A.app"}}));
}

TEST_F(FindDuplicateAppTest, BrokenLinksAndSpecialFilesMakeABundleIncomparable) {
    const std::string a = writeBundle("A.app"), b = writeBundle("B.app");
    ASSERT_EQ(symlink("missing", (a + "/Contents/link").c_str()), 0);
    ASSERT_EQ(symlink("missing", (b + "/Contents/link").c_str()), 0);
    EXPECT_EQ(find({a, b}), Names{});
    EXPECT_TRUE(log.contains("bundle item is no regular file:" + a + "/Contents/link"));
}

TEST_F(FindDuplicateAppTest, LinksAreFollowedToFilesButNotIntoFolders) {
    const std::string a = writeBundle("A.app"), b = writeBundle("B.app");
    folder.writeFile("shared/library", randomContent(2000, 9));
    folder.writeFile("outside/big", randomContent(5000, 10));
    ASSERT_EQ(symlink((folder / "shared/library").c_str(), (a + "/Contents/library").c_str()), 0);
    folder.writeFile("B.app/Contents/library", randomContent(2000, 9));
    ASSERT_EQ(symlink((folder / "outside").c_str(), (a + "/Contents/Frameworks").c_str()), 0);
    EXPECT_EQ(find({a, b}), (Names{{"B.app", "A.app"}}));
}

TEST_F(FindDuplicateAppTest, ABundleIsNeverACopyOfItself) {
    const std::string a = writeBundle("real/A.app");
    ASSERT_EQ(symlink((folder / "real").c_str(), (folder / "alias").c_str()), 0);
    EXPECT_EQ(find({a, folder / "alias/A.app"}), Names{});
    EXPECT_TRUE(log.contains("bundle reached twice:" + folder / "alias/A.app"));
    // A third, real copy is found, once.
    const std::string c = writeBundle("C.app");
    EXPECT_EQ(find({a, folder / "alias/A.app", c}), (Names{{"C.app", "A.app"}}));
}

TEST_F(FindDuplicateAppTest, BundlesThatCannotBeListedAreLeftOut) {
    const std::string a = writeBundle("A.app"), b = writeBundle("B.app");
    const std::string plain = folder.writeFile("Plain.app", "not a folder");
    FindDuplicateApp finder = matcher();
    EXPECT_EQ(find(finder, {plain, a, folder / "Missing.app", b}), (Names{{"B.app", "A.app"}}));
    EXPECT_TRUE(log.contains("get contents Of Directory At Path failed" + plain));
    EXPECT_EQ(finder.getProgress(), 100u);
}

TEST_F(FindDuplicateAppTest, AStopKeepsNoGroupAndEndsQuickly) {
    const std::string a = writeBundle("A.app"), b = writeBundle("B.app");
    const std::string c = writeBundle("C.app", 20), d = writeBundle("D.app", 20);
    FindDuplicateApp finder = matcher();
    ledger.onOpen = [&](const std::string&, int) { finder.stopSearch(); };
    EXPECT_EQ(find(finder, {a, b, c, d}), Names{});
    EXPECT_EQ(ledger.total(), 1);
    EXPECT_LT(finder.getProgress(), 100u);

    FindDuplicateApp stopped = matcher();
    stopped.stopSearch();
    EXPECT_EQ(find(stopped, {a, b}), Names{});
    EXPECT_EQ(stopped.getProgress(), 0u);
}

TEST_F(FindDuplicateAppTest, WorkersOnThreadsFindTheSameGroups) {
    std::vector<std::string> paths;
    for (int i = 0; i < 12; ++i)
        paths.push_back(writeBundle("B" + std::to_string(10 + i) + ".app", static_cast<std::uint64_t>(i % 3) * 10));
    FindDuplicateApp finder = matcher(4, runOnNewThread);
    EXPECT_EQ(find(finder, paths), (Names{{"B13.app", "B16.app", "B19.app", "B10.app"},
                                          {"B14.app", "B17.app", "B20.app", "B11.app"},
                                          {"B15.app", "B18.app", "B21.app", "B12.app"}}));
    EXPECT_EQ(finder.getProgress(), 100u);
}

namespace {

const std::vector<std::string> bundleFiles{"Contents/MacOS/Program", "Contents/Info.plist",
                                           "Contents/Resources/icon.png", "Contents/PkgInfo"};

}  // namespace

TEST_F(FindDuplicateAppTest, ABundleSharingItsFilesWithAnotherIsNoCopyOfIt) {
    // Links.app holds only links to the files of Real.app: removing Real.app as "the copy"
    // would leave Links.app empty.
    const std::string real = writeBundle("B/Real.app");
    const std::string links = folder / "A/Links.app";
    for (const std::string& file : bundleFiles) {
        folder.makeFolder(platform::parentPath("A/Links.app/" + file));
        ASSERT_EQ(symlink((real + "/" + file).c_str(), (links + "/" + file).c_str()), 0);
    }
    EXPECT_EQ(find({links, real}), Names{});
    EXPECT_TRUE(log.contains("bundle shares its files with another:" + real));
    // A hard-linked twin is no copy either; a true copy of the first still is.
    const std::string hard = folder / "C/Hard.app";
    for (const std::string& file : bundleFiles) {
        folder.makeFolder(platform::parentPath("C/Hard.app/" + file));
        ASSERT_EQ(link((real + "/" + file).c_str(), (hard + "/" + file).c_str()), 0);
    }
    const std::string copy = writeBundle("D/Copy.app");
    EXPECT_EQ(find({real, hard, copy}), (Names{{"Copy.app", "Real.app"}}));
}
