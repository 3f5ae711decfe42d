#include "core/browser/BrowserSelection.h"

#include <algorithm>

namespace core::browser {
namespace {

int flipped(int state) { return state == BrowerObj::kSelected ? BrowerObj::kUnselected : BrowerObj::kSelected; }

int stateFromItems(const BrowerObj& node) {
    const auto& items = node.chrArr;
    auto ticked = [](const BrowerObjPtr& item) { return item->isSelect == BrowerObj::kSelected; };
    if (!items.empty() && std::all_of(items.begin(), items.end(), ticked)) return BrowerObj::kSelected;
    if (std::any_of(items.begin(), items.end(), ticked)) return BrowerObj::kPartlySelected;
    return BrowerObj::kUnselected;
}

}  // namespace

void BrowserSelection::selectNode(BrowserList& browserArr, size_t node) {
    if (node >= browserArr.size()) return;
    BrowerObj& chosen = *browserArr[node];
    chosen.isSelect = flipped(chosen.isSelect);
    for (const auto& item : chosen.chrArr) item->isSelect = chosen.isSelect;
}

void BrowserSelection::selectItem(BrowserList& browserArr, size_t node, size_t item) {
    if (node >= browserArr.size() || item >= browserArr[node]->chrArr.size()) return;
    BrowerObj& chosen = *browserArr[node]->chrArr[item];
    chosen.isSelect = flipped(chosen.isSelect);
    browserArr[node]->isSelect = stateFromItems(*browserArr[node]);
}

bool BrowserSelection::canClean(const BrowserList& browserArr) {
    return std::any_of(browserArr.begin(), browserArr.end(),
                       [](const BrowerObjPtr& node) { return node->isSelect != BrowerObj::kUnselected; });
}

}  // namespace core::browser
