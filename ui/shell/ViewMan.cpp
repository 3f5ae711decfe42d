#include "ui/shell/ViewMan.h"

#include "ui/shell/ToolColumn.h"
#include "ui/shell/ViewDelegate.h"

#include <QWidget>

#include <algorithm>

namespace ui {

ViewMan::ViewMan() { viewInit(); }

ViewMan* ViewMan::returnViewMan() {
    static ViewMan instance;
    return &instance;
}

void ViewMan::viewInit() { viewObjs.reserve(kToolCount); }

void ViewMan::addView(ViewDelegate* page) {
    if (page) viewObjs.push_back(page);
}

void ViewMan::removeView(ViewDelegate* page) {
    viewObjs.erase(std::remove(viewObjs.begin(), viewObjs.end(), page), viewObjs.end());
}

void ViewMan::setPendingViews(std::function<void()> makePendingViews) { pendingViews = std::move(makePendingViews); }

// Taken out first: the maker adds pages, and may be asked again while it does.
void ViewMan::makePendingViews() {
    if (!pendingViews) return;
    std::function<void()> make = std::move(pendingViews);
    pendingViews = nullptr;
    make();
}

void ViewMan::showView(int viewID) {
    makePendingViews();
    for (ViewDelegate* page : viewObjs) page->getView()->setVisible(page->getViewID() == viewID);
}

// The id does not matter: one busy page blocks every switch, even to itself.
bool ViewMan::checkCanClick(int) {
    makePendingViews();
    return std::all_of(viewObjs.begin(), viewObjs.end(), [](ViewDelegate* page) { return page->isCanClick(); });
}

}  // namespace ui
