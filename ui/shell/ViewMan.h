#pragma once

#include <functional>
#include <vector>

namespace ui {

class ViewDelegate;

// Holds the tool pages and shows one of them at a time. The application has one, reached
// through returnViewMan(); the pages are owned by the main window, not by the switcher.
// Pages may be made after the window shows: the switcher then holds a maker for the pages not
// made yet, which it runs once before any page is shown or asked, so every page answers.
class ViewMan {
public:
    ViewMan();
    static ViewMan* returnViewMan();

    // Appends a page; nullptr is ignored.
    void addView(ViewDelegate* page);
    // Forgets a page that is about to be destroyed.
    void removeView(ViewDelegate* page);
    // The maker of the pages still to come (it adds them), or nullptr once there are none.
    void setPendingViews(std::function<void()> makePendingViews);
    // Shows the page with that id and hides every other; an unknown id hides them all.
    void showView(int viewID);
    // Asks the pages in order whether a switch may happen; the first "no" ends the asking.
    bool checkCanClick(int viewID);

private:
    void viewInit();
    void makePendingViews();

    std::vector<ViewDelegate*> viewObjs;
    std::function<void()> pendingViews;
};

}  // namespace ui
