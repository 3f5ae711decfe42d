#pragma once

namespace ui {

// What the delete confirmation tells the page that showed it.
class MarkSureDeleteWCDelegate {
public:
    virtual ~MarkSureDeleteWCDelegate() = default;
    // The user chose to delete. Called before the window closes, while its modal loop still
    // runs, so a page only schedules the deletion here.
    virtual void deleteFileButtonAction() = 0;
};

}  // namespace ui
