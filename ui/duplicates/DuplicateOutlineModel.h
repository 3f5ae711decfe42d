#pragma once

#include "core/duplicates/SimpleTreeNode.h"

#include <QAbstractItemModel>

#include <functional>
#include <unordered_map>

namespace ui {

// The duplicate page's outline: the groups of the shown tree and their copies. Each index points
// at its node; a group's row is looked up in a table kept with the rows, so a large result
// stays quick to draw. The trees are the page's: the model reads them as they are and is told
// of every change in them (a new root, a sort, a copy or a group gone).
class DuplicateOutlineModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { Checkbox, NameColumn, allSelectNum, FileSize, ModifyDate, ColumnCount };
    static constexpr int kRowHeight = 40;

    using Node = core::TreeNode::Ptr;

    explicit DuplicateOutlineModel(QObject* parent = nullptr);

    void setRootNode(const Node& root);
    const Node& rootNode() const { return root; }
    // Tells the views that the tick boxes and counts of the given rows changed. A tree view
    // repaints only the rows a signalled span covers, and working that out costs it a search per
    // row, so the rows passed are the ones the view shows, each signalled on its own.
    void refreshStates(const QModelIndexList& shownRows);
    // Runs a sort of the shown tree, keeping expanded and selected rows with their nodes.
    void sortRows(const std::function<void()>& sort);
    // Takes a copy off its group's rows while remove detaches it from the tree.
    void removeCopy(const Node& copy, const std::function<void()>& remove);
    // Takes a group off the rows while remove detaches it from the shown tree.
    void removeGroup(const Node& group, const std::function<void()>& remove);

    static core::TreeNode* nodeAt(const QModelIndex& index);
    static core::SimpleNodeData* dataAt(const QModelIndex& index);
    QModelIndex indexOfNode(const core::TreeNode* node, int column = 0) const;
    // The checkbox picture of a tick state (a copy: 0 or 1; a group: 0 none, 1 all, 2 some).
    static QString checkImageName(std::int32_t state);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void indexGroups();
    QVariant decoration(const core::TreeNode& node, const core::SimpleNodeData& data, int column) const;

    Node root;
    std::unordered_map<const core::TreeNode*, int> groupRows;
};

}  // namespace ui
