#include "core/uninstall/RelatedFilesSelection.h"

#include "core/kit/CommUti.h"

#include <gtest/gtest.h>

using core::uninstall::AMAppItem;
using core::uninstall::AMAppItemPtr;
using core::uninstall::RelatedFilesSelection;

namespace {

AMAppItemPtr record(const std::string& name, uint64_t bytes = 1024, const std::string& folder = "/Library") {
    auto item = std::make_shared<AMAppItem>();
    item->name = name;
    item->path = folder + "/" + name;
    item->size = core::CommUti::convertVolSpace(bytes);
    return item;
}

std::string namesOf(const std::vector<AMAppItemPtr>& items) {
    std::string names;
    for (const auto& item : items) names += item->name;
    return names;
}

}  // namespace

TEST(RelatedFilesSelection, EverythingIsTickedAtFirstAndGroupsFollowTheirRecords) {
    const auto a = record("a"), b = record("b", 2048), c = record("c"), d = record("d");
    RelatedFilesSelection selection;
    selection.setGroups({{a, b, c}, {d}, {}});
    EXPECT_EQ(namesOf(selection.ticked()), "abcd");
    EXPECT_EQ(selection.groupState(0), RelatedFilesSelection::Ticked);
    EXPECT_EQ(selection.groupState(2), RelatedFilesSelection::Unticked);  // an empty group
    EXPECT_EQ(selection.groupSize(0), 4096u);

    selection.toggleItem(b);
    selection.toggleItem(a);
    EXPECT_EQ(selection.groupState(0), RelatedFilesSelection::PartlyTicked);
    EXPECT_EQ(namesOf(selection.ticked()), "cd");
    selection.toggleGroup(0);  // a partly ticked group ticks the rest, in group order
    EXPECT_EQ(namesOf(selection.ticked()), "cdab");
    selection.toggleGroup(0);  // a ticked group loses every tick
    EXPECT_EQ(namesOf(selection.ticked()), "d");
    EXPECT_EQ(selection.groupState(0), RelatedFilesSelection::Unticked);

    selection.toggleGroup(1);
    EXPECT_FALSE(selection.hasTicked());
    selection.toggleItem(c);
    EXPECT_EQ(namesOf(selection.ticked()), "c");

    // A nested application counts in its bundle's size only.
    selection.setGroups({{record("Helper.app", 1024, "/Applications/Foo.app/Contents/MacOS"),
                          record("Foo.app", 4096, "/Applications"), record("Foo.app.plist", 1024, "/Applications")}});
    EXPECT_EQ(selection.groupSize(0), 5120u);
}
