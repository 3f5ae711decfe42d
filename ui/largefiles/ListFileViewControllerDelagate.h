#pragma once

#include <QString>

namespace ui {

// What the large-file list tells the page that hosts it.
class ListFileViewControllerDelagate {
public:
    virtual ~ListFileViewControllerDelagate() = default;
    // Back to the start view.
    virtual void listFileBackButtonAction() = 0;
    // A scan started: the list view takes the start view's place.
    virtual void showDetailPage() = 0;
    // The preview column of a file was clicked.
    virtual void pereviewFileWithFileNodePath(const QString& path) = 0;
};

}  // namespace ui
