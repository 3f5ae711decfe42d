#include "core/browser/BrowserSelection.h"
#include "core/browser/RunningBrowsers.h"

#include <gtest/gtest.h>

using core::browser::BrowerObj;
using core::browser::BrowserList;
using core::browser::BrowserSelection;
using core::browser::RunningBrowsers;

namespace {

BrowserList listOf(std::vector<int> itemsPerNode) {
    BrowserList list;
    for (int count : itemsPerNode) {
        auto node = std::make_shared<BrowerObj>();
        node->isSelect = BrowerObj::kSelected;
        for (int i = 0; i < count; ++i) {
            auto item = std::make_shared<BrowerObj>();
            item->parObj = node.get();
            item->isSelect = BrowerObj::kSelected;
            node->chrArr.push_back(item);
        }
        list.push_back(node);
    }
    return list;
}

}  // namespace

// A node follows its items; ticking a node that is not fully ticked ticks all of its items.
TEST(BrowserSelection, NodesFollowTheirItemsAndItemsTheirNode) {
    BrowserList list = listOf({3, 1});
    BrowserSelection::selectItem(list, 0, 1);
    EXPECT_EQ(list[0]->isSelect, BrowerObj::kPartlySelected);
    BrowserSelection::selectNode(list, 0);
    EXPECT_EQ(list[0]->isSelect, BrowerObj::kSelected);
    for (const auto& item : list[0]->chrArr) EXPECT_EQ(item->isSelect, BrowerObj::kSelected);
    BrowserSelection::selectNode(list, 0);
    for (const auto& item : list[0]->chrArr) EXPECT_EQ(item->isSelect, BrowerObj::kUnselected);
    EXPECT_TRUE(BrowserSelection::canClean(list));
    BrowserSelection::selectItem(list, 1, 0);
    EXPECT_EQ(list[1]->isSelect, BrowerObj::kUnselected);
    EXPECT_FALSE(BrowserSelection::canClean(list));
    BrowserSelection::selectItem(list, 1, 5);  // past the end: ignored
    BrowserSelection::selectNode(list, 9);
    EXPECT_FALSE(BrowserSelection::canClean(list));
}

// Running applications known only by name map to a browser key by the name rules.
TEST(RunningBrowsers, NamesMapToBrowserKeysByTheNameRules) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Safari", "Safari"},
        {"Safari Technology Preview", "Safari"},
        {"Google Chrome", "Google Chrome"},
        {"Google Chrome Helper", ""},
        {"Firefox", "Firefox"},
        {"Firefox Developer Edition", ""},
        {"Microsoft Edge", "Microsoft Edge"},
        {"Microsoft Edge Beta", "Microsoft Edge Beta"},
        {"Micro", ""},
        {"Chromium", "Chromium"},
        {"Opera", "Opera"},
        {"QQ Browser", "QQ Browser"},
        {"TextEdit", ""},
    };
    for (const auto& [name, key] : cases) EXPECT_EQ(RunningBrowsers::keyForApplicationName(name), key) << name;
}
