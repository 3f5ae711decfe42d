#include "core/uninstall/UninstallTally.h"

#include "core/kit/CommUti.h"

#include <gtest/gtest.h>

using core::uninstall::AMAppItem;
using core::uninstall::UninstallTally;

namespace {

AMAppItem sized(uint64_t bytes) {
    AMAppItem item;
    item.size = core::CommUti::convertVolSpace(bytes);
    return item;
}

}  // namespace

// Three items: 33, 66, 100; only the removed ones free their size, the failure is counted, and
// the last path stands in the progress.
TEST(UninstallTally, CountsEachReportAndFreesOnlyWhatWasRemoved) {
    UninstallTally tally;
    tally.begin(3);
    tally.deleteRelatedFile(sized(2048), "/a");
    EXPECT_EQ(tally.percent(), 33);
    tally.deleteRelatedFileFail("/b");
    EXPECT_EQ(tally.percent(), 66);
    EXPECT_FALSE(tally.isFinished());
    tally.deleteRelatedFile(sized(1024), "/c");
    EXPECT_EQ(tally.percent(), 100);
    EXPECT_TRUE(tally.isFinished());
    EXPECT_EQ(tally.totalSize(), 3072u);
    EXPECT_EQ(tally.failures(), 1u);
    EXPECT_EQ(tally.progress().currentPath(), "/c");

    tally.begin(2);  // a new run starts from nothing
    EXPECT_EQ(tally.percent(), 0);
    EXPECT_EQ(tally.totalSize(), 0u);
    EXPECT_EQ(tally.failures(), 0u);
}

// A nested application and its bundle count once in either order; a path reported twice once.
TEST(UninstallTally, AnItemInsideAnotherRemovedItemAddsNothing) {
    const std::string bundle = "/Applications/Foo.app";
    const std::string nested = bundle + "/Contents/MacOS/Helper.app";
    struct Case {
        std::vector<std::pair<std::string, uint64_t>> removed;
        uint64_t freed;
    };
    const std::vector<Case> cases = {
        {{{nested, 1024}, {bundle, 4096}}, 4096},
        {{{bundle, 4096}, {nested, 1024}}, 4096},
        {{{nested, 1024}, {bundle + ".plist", 2048}}, 3072},  // a sibling whose name only begins alike
        {{{bundle, 4096}, {bundle, 4096}}, 4096},
    };
    for (const auto& test : cases) {
        UninstallTally tally;
        tally.begin(test.removed.size());
        for (const auto& [path, bytes] : test.removed) tally.deleteRelatedFile(sized(bytes), path);
        EXPECT_EQ(tally.totalSize(), test.freed) << test.removed.front().first;
    }
}
