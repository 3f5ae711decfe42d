#include "core/duplicates/DuplicateFilesOpt.h"
#include "core/duplicates/duplicateFind.h"
#include "platform/system/Log.h"
#include "support/LogCapture.h"
#include "support/OpenLedger.h"
#include "support/RandomContent.h"
#include "support/TempFolder.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

using core::duplicateFind;
using core::DuplicateFilesOpt;
using core::DuplicateGroup;
using testsupport::randomContent;

namespace {

using Names = std::vector<std::vector<std::string>>;

Names namesOf(const std::vector<DuplicateGroup>& groups) {
    Names names;
    for (const auto& group : groups) {
        names.emplace_back();
        for (const auto& item : group) names.back().push_back(item.fileName());
    }
    return names;
}

class DuplicateFindTest : public ::testing::Test {
protected:
    // Two identical bundles and two copies of their one file beside them.
    void writeCopiesInAndBesideBundles(const std::string& content) {
        for (const char* path : {"A.app/file", "B.app/file", "x", "y"}) folder.writeFile(path, content);
    }

    testsupport::TempFolder folder;
    testsupport::LogCapture log;
    testsupport::OpenLedger ledger;
    core::Executors executors = core::Executors::inlineExecutors();
};

}  // namespace

TEST_F(DuplicateFindTest, WholeSearchGroupsInCollectionOrder) {
    const std::string picture = randomContent(5000, 1), text = randomContent(300, 2);
    folder.writeFile("a/first.jpg", picture);
    folder.writeFile("a/note.txt", text);
    folder.writeFile("b/second.jpg", picture);
    folder.writeFile("b/unique.bin", randomContent(5000, 3));
    folder.writeFile("c/copy.txt", text);
    folder.writeFile("c/third.jpg", picture);
    duplicateFind search(executors);
    EXPECT_EQ(search.getProgress(), 0u);
    search.searchDuplicateFileAtPath(folder.path(), 0);
    EXPECT_EQ(namesOf(search.duplicateGroups()), (Names{{"second.jpg", "third.jpg", "first.jpg"}, {"copy.txt", "note.txt"}}));
    std::vector<std::string> flat;
    for (const auto& item : search.getAllDuplicateFile()) flat.push_back(item.fileName());
    EXPECT_EQ(flat, (std::vector<std::string>{"second.jpg", "third.jpg", "first.jpg", "copy.txt", "note.txt"}));
    EXPECT_EQ(search.getProgress(), 100u);
    EXPECT_FALSE(search.getCurrentSearchPath().empty());
    EXPECT_TRUE(log.contains("findDuplicate result:1"));
}

TEST_F(DuplicateFindTest, AFileIsNeverItsOwnDuplicate) {
    const std::string content = randomContent(2000, 4);
    folder.writeFile("real/file", content);
    ASSERT_EQ(link((folder / "real/file").c_str(), (folder / "real/hardLink").c_str()), 0);
    ASSERT_EQ(symlink((folder / "real").c_str(), (folder / "alias").c_str()), 0);
    duplicateFind search(executors);
    search.searchDuplicateFileAtPath(folder.path(), 0);
    EXPECT_TRUE(search.duplicateGroups().empty());

    folder.writeFile("other/copy", content);
    duplicateFind again(executors);
    again.searchDuplicateFileAtPath(folder.path(), 0);
    ASSERT_EQ(again.duplicateGroups().size(), 1u);
    EXPECT_EQ(again.duplicateGroups()[0].size(), 2u);
}

TEST_F(DuplicateFindTest, HiddenOptionReachesTheCollection) {
    const std::string content = randomContent(700, 5);
    folder.writeFile("visible", content);
    folder.writeFile(".hidden", content);
    duplicateFind withHidden(executors), withoutHidden(executors);
    withoutHidden.setSearchOption(false, true);
    withHidden.searchDuplicateFileAtPath(folder.path(), 0);
    withoutHidden.searchDuplicateFileAtPath(folder.path(), 0);
    EXPECT_EQ(withHidden.duplicateGroups().size(), 1u);
    EXPECT_TRUE(withoutHidden.duplicateGroups().empty());
}

TEST_F(DuplicateFindTest, NothingHappensForAPathThatIsNoFolder) {
    duplicateFind search(executors);
    search.searchDuplicateFileAtPath(folder.writeFile("file", "x"), 0);
    search.searchDuplicateFileAtPath(folder / "missing", 0);
    EXPECT_EQ(search.getProgress(), 0u);
    EXPECT_FALSE(log.contains("findDuplicate result:"));
}

TEST_F(DuplicateFindTest, StopDuringTheCollectionSkipsTheOtherSteps) {
    writeCopiesInAndBesideBundles(randomContent(900, 6));
    int fingerprinters = 0;
    duplicateFind search(executors, [&](const std::atomic<bool>* stop) {
        ++fingerprinters;
        return std::make_unique<core::algorithm>(stop);
    });
    // The collection sees the stop at its first step.
    search.stopSearch();
    search.searchDuplicateFileAtPath(folder.path(), 0);
    EXPECT_EQ(fingerprinters, 0);
    EXPECT_TRUE(search.duplicateGroups().empty());
    EXPECT_TRUE(search.duplicateAppGroups().empty());
    EXPECT_EQ(search.getProgress(), 100u);
}

TEST_F(DuplicateFindTest, BundlesFillTheFirstHalfOfTheProgressAndFilesTheSecond) {
    const std::string program = randomContent(6000, 11), picture = randomContent(4000, 12);
    folder.writeFile("apps/Tool.app/Contents/MacOS/Tool", program);
    folder.writeFile("apps/Tool.app/Contents/Resources/picture.png", picture);
    folder.writeFile("copies/Tool.app/Contents/MacOS/Tool", program);
    folder.writeFile("copies/Tool.app/Contents/Resources/picture.png", picture);
    folder.writeFile("pictures/picture.png", picture);
    folder.writeFile("pictures/again.png", picture);
    struct Sighting {
        std::uint64_t progress;
        std::string current;
        bool insideBundle;
        int stage;
    };
    std::vector<Sighting> seen;
    duplicateFind search(executors, ledger.factory());
    ledger.onOpen = [&](const std::string&, int) {
        const std::string current = search.getCurrentSearchPath();
        seen.push_back({search.getProgress(), current, current.find(".app") != std::string::npos,
                        search.progress().stage});
    };
    search.searchDuplicateFileAtPath(folder.path(), 0);
    ASSERT_EQ(search.duplicateAppGroups().size(), 1u);
    EXPECT_EQ(search.duplicateAppGroups()[0][0].DirectoryPathName, folder / "copies/Tool.app");
    EXPECT_EQ(search.duplicateAppGroups()[0][1].DirectoryPathName, folder / "apps/Tool.app");
    // Files inside bundles are no candidates.
    EXPECT_EQ(namesOf(search.duplicateGroups()), (Names{{"picture.png", "again.png"}}));
    ASSERT_EQ(seen.size(), 14u);  // 2 x 2 bundle files three times, then the 2 files once each
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_TRUE(seen[i].insideBundle) << seen[i].current;
        EXPECT_LT(seen[i].progress, 50u);
        EXPECT_EQ(seen[i].stage, duplicateFind::MatchingBundles);
    }
    for (std::size_t i = 12; i < seen.size(); ++i) {
        EXPECT_FALSE(seen[i].insideBundle) << seen[i].current;
        EXPECT_GE(seen[i].progress, 50u);
        EXPECT_LT(seen[i].progress, 100u);
        EXPECT_EQ(seen[i].stage, duplicateFind::MatchingFiles);
    }
    EXPECT_EQ(search.getProgress(), 100u);
}

TEST_F(DuplicateFindTest, StopDuringTheBundleStepKeepsNoPartialGroupAndSkipsTheFiles) {
    writeCopiesInAndBesideBundles(randomContent(3000, 13));
    duplicateFind search(executors, ledger.factory());
    ledger.onOpen = [&](const std::string&, int) { search.stopSearch(); };
    search.searchDuplicateFileAtPath(folder.path(), 0);
    EXPECT_EQ(ledger.total(), 1);
    EXPECT_TRUE(search.duplicateAppGroups().empty());
    EXPECT_TRUE(search.duplicateGroups().empty());
    EXPECT_EQ(search.getProgress(), 100u);
}

TEST_F(DuplicateFindTest, ProgressNeverGoesDownWhileFilesAreRead) {
    for (int copy = 0; copy < 6; ++copy)
        folder.writeFile("f" + std::to_string(copy), randomContent(20000 + copy % 2, copy % 2));
    folder.writeFile("lonely", "x");
    std::vector<std::uint64_t> seen;
    duplicateFind search(executors, ledger.factory());
    ledger.onOpen = [&](const std::string&, int) { seen.push_back(search.getProgress()); };
    search.searchDuplicateFileAtPath(folder.path(), 0);
    EXPECT_EQ(seen.size(), 6u);  // each copy once: read in step with the others of its size
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_GT(seen.back(), seen.front());
    EXPECT_EQ(search.getProgress(), 100u);
    EXPECT_EQ(search.duplicateGroups().size(), 2u);
}

TEST_F(DuplicateFindTest, UnreadableCopyIsLeftOutWhileTheOthersGroup) {
    ASSERT_EQ(chmod(folder.path().c_str(), 0755), 0);
    const std::string content = randomContent(3000, 7);
    folder.writeFile("one", content);
    const std::string locked = folder.writeFile("two", content);
    folder.writeFile("three", content);
    ASSERT_EQ(chmod(locked.c_str(), 0600), 0);
    const std::string report = testsupport::runAsNobody([&] {
        duplicateFind search(core::Executors::inlineExecutors());
        search.searchDuplicateFileAtPath(folder.path(), 0);
        std::string text;
        for (const auto& group : namesOf(search.duplicateGroups()))
            for (const auto& name : group) text += name + ";";
        return text;
    });
    EXPECT_EQ(report, "three;one;");
}

TEST(DuplicateFilesOptTest, AStopBeforeTheSearchBeginsIsKept) {
    testsupport::TempFolder folder;
    const std::string content = randomContent(1500, 9);
    folder.writeFile("a", content);
    folder.writeFile("b", content);
    DuplicateFilesOpt search(core::Executors::inlineExecutors());
    search.stopSearch();
    search.beginSearchAtPath(folder.path(), 0);
    EXPECT_TRUE(search.duplicateGroups().empty());
    std::shared_ptr<core::SimpleTreeNode> root;
    EXPECT_FALSE(search.getDuplicateFiles(root));
}

TEST(DuplicateFilesOptTest, OneSearchPerObject) {
    testsupport::TempFolder folder;
    testsupport::LogCapture log;
    const std::string content = randomContent(1500, 8);
    folder.writeFile("p", content);
    folder.writeFile(".q", content);
    DuplicateFilesOpt search(core::Executors::inlineExecutors());
    EXPECT_EQ(search.getProgress(), 0u);
    const core::_SEARCH_OPTION noHidden{false, true};
    search.setSearchOption(&noHidden);
    EXPECT_EQ(search.getCurrentSearchFile(), "");
    search.beginSearchAtPath(folder.path(), 0);
    EXPECT_TRUE(log.contains(" -INFO:search Path:" + folder.path() + "  limitedsize:0"));
    EXPECT_TRUE(search.duplicateGroups().empty());
    EXPECT_EQ(search.getProgress(), 100u);
    EXPECT_FALSE(search.getCurrentSearchFile().empty());

    search.beginSearchAtPath(folder.path(), 0);
    EXPECT_TRUE(log.contains("error need reinit"));

    DuplicateFilesOpt withHidden(core::Executors::inlineExecutors());
    withHidden.beginSearchAtPath(folder.path(), 0);
    EXPECT_EQ(withHidden.duplicateGroups().size(), 1u);
}
