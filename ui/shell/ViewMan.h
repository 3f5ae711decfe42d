#pragma once

#include <vector>

namespace ui {

class ViewDelegate;

// Holds the tool pages and shows one of them at a time. The application has one, reached
// through returnViewMan(); the pages are owned by the main window, not by the switcher.
class ViewMan {
public:
    ViewMan();
    static ViewMan* returnViewMan();

    // Appends a page; nullptr is ignored.
    void addView(ViewDelegate* page);
    // Forgets a page that is about to be destroyed.
    void removeView(ViewDelegate* page);
    // Shows the page with that id and hides every other; an unknown id hides them all.
    void showView(int viewID);
    // Asks the pages in order whether a switch may happen; the first "no" ends the asking.
    bool checkCanClick(int viewID);

private:
    void viewInit();

    std::vector<ViewDelegate*> viewObjs;
};

}  // namespace ui
