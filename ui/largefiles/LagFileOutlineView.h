#pragma once

#include "core/largefiles/FileNodeTree.h"
#include "ui/kit/tables/NewOutlineView.h"

#include <memory>
#include <string>

namespace ui {

class CheckButtonCellDelegate;
class FileNodeModel;

// The large-file tree's outline over its own FileNodeModel. A refresh reads every level
// again and brings the view back as the user left it: the folders whose nodes are marked
// expanded open again, the highlighted row stays on its item (found by path, never by row
// number) and the scrolled position stays, so the big items are seen rising.
class LagFileOutlineView : public NewOutlineView {
    Q_OBJECT
public:
    explicit LagFileOutlineView(CheckButtonCellDelegate* checkDelegate, QWidget* parent = nullptr);

    FileNodeModel* model() const { return fileModel; }
    void setTree(std::shared_ptr<core::largefiles::FileNodeTree> tree);
    void refresh();
    // Opens again the folders below a node whose nodes are marked expanded.
    void reexpandBelow(const QModelIndex& parent);
    // True while a refresh opens folders again, so no expansion is taken as the user's.
    bool isRestoring() const { return restoring; }
    void clearHighlight();
    const std::string& selectedPath() const { return highlightedPath; }
    // The index of an item below the tree's top folder along expanded folders; invalid if none.
    QModelIndex indexOfPath(const std::string& path) const;

private:
    void highlight(const QModelIndex& current);

    FileNodeModel* fileModel;
    bool restoring = false;
    std::string highlightedPath;
};

}  // namespace ui
