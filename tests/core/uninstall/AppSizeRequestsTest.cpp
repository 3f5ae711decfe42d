#include "core/uninstall/AppSizeRequests.h"

#include "core/uninstall/RelatedAppFilesScanner.h"
#include "support/MacHomeFixture.h"
#include "support/ManualExecutors.h"

#include <gtest/gtest.h>

using core::uninstall::AMAppItemPtr;
using core::uninstall::AppSizeRequests;
using core::uninstall::RelatedAppFilesScanner;
using testsupport::MacHomeFixture;

// A size is measured once per record, off the main thread, and lands in the record it was
// asked for; the owner hears which record changed.
TEST(AppSizeRequests, MeasuresEachRecordOnceAndAppliesItToThatRecord) {
    MacHomeFixture home;
    home.file("/Applications/First.app/blob", std::string(2048, 'x'));
    home.file("/Applications/Second.app/blob", std::string(1024, 'x'));
    auto first = RelatedAppFilesScanner::constructItem(home.path("/Applications/First.app"));
    auto second = RelatedAppFilesScanner::constructItem(home.path("/Applications/Second.app"));
    testsupport::ManualExecutors executors;
    std::vector<AMAppItemPtr> measured;
    AppSizeRequests sizes(executors.executors(), [&](const AMAppItemPtr& item) { measured.push_back(item); }, 1);

    EXPECT_EQ(sizes.sizeOf(second), "0KB");
    EXPECT_EQ(sizes.sizeOf(first), "0KB");
    EXPECT_EQ(sizes.sizeOf(second), "0KB");  // asked again while it is measured: no second measurement
    executors.runQueued();

    EXPECT_EQ(measured, (std::vector<AMAppItemPtr>{second, first}));
    EXPECT_EQ(first->size, "2.00 KB");
    EXPECT_EQ(second->size, "1.00 KB");
    EXPECT_EQ(sizes.sizeOf(first), "2.00 KB");
    EXPECT_EQ(executors.queuedCount(), 0u);
}

TEST(AppSizeRequests, NothingReachesAnOwnerThatIsGone) {
    MacHomeFixture home;
    auto item = RelatedAppFilesScanner::constructItem(home.file("/Applications/One.app/blob", std::string(2048, 'x')));
    testsupport::ManualExecutors executors;
    int calls = 0;
    {
        AppSizeRequests sizes(executors.executors(), [&](const AMAppItemPtr&) { ++calls; });
        sizes.sizeOf(item);
    }
    executors.runQueued();

    EXPECT_EQ(calls, 0);
    EXPECT_EQ(item->size, "0KB");
}
