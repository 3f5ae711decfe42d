#include "platform/files/TreeSizer.h"

#include "support/TempFolder.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using platform::TreeSizer;

// Many items sized in one walk, enough for its helper threads to join in: each keeps its own
// sum, and only the one with a folder that cannot be read, deep inside, is not read whole (its
// readable part still counted), exactly as when each item is sized alone.
TEST(TreeSizerMeasureAll, ManyItemsInOneWalkKeepTheirOwnSumsAndOnlyThePartlyUnreadOneIsNotWhole) {
    testsupport::TempFolder folder;
    constexpr int kItems = 60, kPartlyUnread = 17;
    std::vector<std::string> paths;
    std::string expected;
    for (int item = 0; item < kItems; ++item) {
        const std::string name = "item" + std::to_string(item);
        uint64_t bytes = 0;
        for (int sub = 0; sub < 6; ++sub)
            for (int file = 0; file < 3; ++file) {
                const size_t size = static_cast<size_t>(item * 7 + sub * 3 + file);
                folder.writeFile(name + "/s" + std::to_string(sub) + "/deeper/f" + std::to_string(file),
                                 std::string(size, 'x'));
                bytes += size;
            }
        if (item == kPartlyUnread) folder.writeFile(name + "/s2/deeper/closed/unseen", std::string(1000, 'u'));
        paths.push_back(folder / name);
        expected += std::to_string(bytes) + (item == kPartlyUnread ? " part, " : " whole, ");
    }
    paths.push_back(folder.writeFile("alone", std::string(321, 'a')));
    paths.push_back(folder / "missing");
    paths.push_back("");
    expected += "321 whole, 0 whole, 0 whole, ";

    const std::string closed = folder / ("item" + std::to_string(kPartlyUnread) + "/s2/deeper/closed");
    if (testsupport::runningAsRoot()) {
        ASSERT_EQ(std::system(("chown -R 65534:65534 '" + folder.path() + "'").c_str()), 0);
    }
    ASSERT_EQ(chmod(closed.c_str(), 0), 0);
    auto describeAll = [&paths] {
        std::string together, alone;
        for (const TreeSizer::Measure& measure : TreeSizer::measureAll(paths))
            together += std::to_string(measure.bytes) + (measure.readWhole ? " whole, " : " part, ");
        for (const std::string& path : paths) {
            const TreeSizer::Measure measure = TreeSizer::measure(path);
            alone += std::to_string(measure.bytes) + (measure.readWhole ? " whole, " : " part, ");
        }
        return together + "| " + alone;
    };
    const std::string answer = testsupport::runningAsRoot() ? testsupport::runAsNobody(describeAll) : describeAll();
    chmod(closed.c_str(), 0700);
    EXPECT_EQ(answer, expected + "| " + expected);
}

// Folders sized from their listing: one put in the place of a listed folder since is not
// walked (no bytes, not read whole); the others keep their own sums.
TEST(TreeSizerMeasureListed, AFolderSwappedSinceItsListingIsNotWalked) {
    testsupport::TempFolder folder;
    folder.writeFile("kept/a", std::string(100, 'a'));
    folder.writeFile("kept/sub/b", std::string(20, 'b'));
    folder.writeFile("swapped/c", std::string(7, 'c'));
    folder.writeFile("stranger/d", std::string(5000, 'd'));
    std::vector<platform::ListedFolder> listed;
    for (const char* name : {"kept", "swapped"}) listed.push_back(*platform::ListedFolder::of(folder / name));
    std::filesystem::remove_all(folder / "swapped");
    std::filesystem::rename(folder / "stranger", folder / "swapped");
    const std::vector<TreeSizer::Measure> measures = TreeSizer::measureListed(listed);
    ASSERT_EQ(measures.size(), 2u);
    EXPECT_EQ(measures[0].bytes, 120u);
    EXPECT_TRUE(measures[0].readWhole);
    EXPECT_EQ(measures[1].bytes, 0u);
    EXPECT_FALSE(measures[1].readWhole);
}
