#include "core/uninstall/UninstallLists.h"

#include "core/kit/CommUti.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>

using core::uninstall::AMAppItem;
using core::uninstall::AMAppItemPtr;
using core::uninstall::AppKind;
using core::uninstall::UninstallLists;

namespace {

AMAppItemPtr record(const std::string& name, const std::string& size = AMAppItem::kUnmeasuredSize,
                    const std::string& path = "/Applications/x.app") {
    auto item = std::make_shared<AMAppItem>();
    item->name = name;
    item->size = size;
    item->path = path;
    return item;
}

std::string namesOf(const std::vector<AMAppItemPtr>& items) {
    std::string names;
    for (const auto& item : items) names += (names.empty() ? "" : ",") + item->name;
    return names;
}

}  // namespace

// The header box works over the shown rows: with a filter it ticks exactly them, a second click
// clears the ticks; nothing shown ticked is the empty box.
TEST(UninstallLists, TheHeaderBoxTicksExactlyTheShownRows) {
    UninstallLists lists;
    const auto chrome = record("Chrome"), chromium = record("Chromium"), slack = record("Slack");
    lists.setFullList(AppKind::Applications, {chrome, chromium, slack});
    lists.toggle(slack);
    lists.search("  chr ");
    EXPECT_EQ(namesOf(lists.shown()), "Chrome,Chromium");
    EXPECT_EQ(lists.selectAllState(), UninstallLists::NoneTicked);
    lists.selectAll();
    EXPECT_EQ(namesOf(lists.tickedList()), "Chrome,Chromium");
    EXPECT_EQ(lists.selectAllState(), UninstallLists::AllTicked);
    lists.toggle(chrome);
    EXPECT_EQ(lists.selectAllState(), UninstallLists::SomeTicked);
    lists.selectAll();
    lists.selectAll();
    EXPECT_TRUE(lists.tickedList().empty());
}

// A kind switch shows the whole kind (the page leaves " " in the field); searching again matches,
// and each kind keeps its own ticks.
TEST(UninstallLists, SearchAfterAKindSwitchStillMatches) {
    UninstallLists lists;
    const auto widget = record("Weather");
    lists.setFullList(AppKind::Applications, {record("Zoom"), record("Notes")});
    lists.setFullList(AppKind::Widgets, {widget, record("Stocks")});
    lists.toggle(lists.shown()[0]);
    lists.search("zo");
    lists.switchKind(AppKind::Widgets);
    EXPECT_EQ(namesOf(lists.shown()), "Weather,Stocks");
    lists.search(" ");
    EXPECT_EQ(namesOf(lists.shown()), "Weather,Stocks");
    lists.search(" wea");
    EXPECT_EQ(namesOf(lists.shown()), "Weather");
    EXPECT_TRUE(lists.tickedList().empty());
    lists.switchKind(AppKind::Applications);
    EXPECT_EQ(namesOf(lists.tickedList()), "Zoom");
}

// One direction shared by both columns: the first sort of the page is descending and every
// sort reverses it, whichever column: Size largest first, then reversed; or Size, then Name
// ascending (byte order: capitals first).
TEST(UninstallLists, SizeAndNameShareOneSortDirection) {
    auto listed = [] {
        auto lists = std::make_unique<UninstallLists>();
        lists->setFullList(AppKind::Applications, {record("b", "2.00 KB"), record("a", "1.00 MB"),
                                                   record("C", "3.00 KB"), record("d", AMAppItem::kUnmeasuredSize)});
        return lists;
    };
    auto lists = listed();
    EXPECT_EQ(namesOf(lists->unmeasuredShown()), "d");
    EXPECT_TRUE(lists->sort(UninstallLists::SortColumn::Size));
    EXPECT_EQ(namesOf(lists->shown()), "a,C,b,d");
    EXPECT_FALSE(lists->sort(UninstallLists::SortColumn::Size));
    EXPECT_EQ(namesOf(lists->shown()), "d,b,C,a");

    lists = listed();
    lists->sort(UninstallLists::SortColumn::Size);
    EXPECT_FALSE(lists->sort(UninstallLists::SortColumn::Name));
    EXPECT_EQ(namesOf(lists->shown()), "C,a,b,d");
    EXPECT_TRUE(lists->sort(UninstallLists::SortColumn::Name));
    EXPECT_EQ(namesOf(lists->shown()), "d,b,a,C");
}

// After an uninstall only records whose bundle is gone leave; the others that were uninstalled
// stay, unticked, and a tick on a record not uninstalled stays. The kind is shown whole again,
// whatever the search text was.
TEST(UninstallLists, OnlyBundlesGoneLeaveTheListsAfterAnUninstall) {
    testsupport::TempFolder folder;
    const auto removed = record("Removed", "1.00 KB", folder / "Removed.app");
    const auto failed = record("Failed", "1.00 KB", folder.makeFolder("Failed.app"));
    const auto other = record("Other", "1.00 KB", folder.makeFolder("Other.app"));
    UninstallLists lists;
    lists.setFullList(AppKind::Applications, {removed, failed, other});
    lists.selectAll();
    lists.search("fail");
    lists.completeUninstall({removed, failed});
    EXPECT_EQ(namesOf(lists.fullList(AppKind::Applications)), "Failed,Other");
    EXPECT_EQ(namesOf(lists.shown()), "Failed,Other");
    EXPECT_EQ(namesOf(lists.tickedList()), "Other");
}
