#pragma once

#include "core/largefiles/FileNodeTree.h"

#include <QAbstractItemModel>

#include <memory>
#include <unordered_map>
#include <vector>

namespace ui {

// The large-file outline's rows. Each level the view asks for is read from the engine once
// (FileNodeTree::childRows) and kept until the next reset, so row counts and sizes never change
// behind the view's back while the walkers go on; only the levels the view shows are read.
// Nodes taken out of the tree meanwhile stay alive until the next reset. Tick states are read
// from the nodes (they change on the main thread only, and a change of ticks resets the model).
class FileNodeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { CheckBox, Name, Size, Path, OpenFinder, Pareview, ColumnCount };
    static constexpr int kRowHeight = 40;  // the check cells' click spot is laid out for it

    explicit FileNodeModel(QObject* parent = nullptr);

    // Shows a tree (or none) from its top level.
    void setTree(std::shared_ptr<core::largefiles::FileNodeTree> tree);
    const std::shared_ptr<core::largefiles::FileNodeTree>& tree() const { return tree_; }
    // Drops every level read so far and lets go of nodes taken out of the tree; the view
    // comes back with every folder collapsed.
    void reset();

    static core::largefiles::FileNode* nodeAt(const QModelIndex& index);
    // The check picture of a tick state (0, 1, 2).
    static QString checkImageName(int64_t state);
    // The index of a node on a level that has been read, else invalid.
    QModelIndex indexOfNode(const core::largefiles::FileNode* node) const;
    // A folder with children whose name ends neither with ".app" nor with ".framework".
    bool isExpandable(const QModelIndex& index) const;
    // The expandable rows below parent whose nodes are marked expanded (files are passed over
    // without reading their nodes, so long levels of files cost one pass).
    std::vector<QModelIndex> expandedRows(const QModelIndex& parent) const;
    QString pathOf(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Level {
        std::vector<core::largefiles::FileNodeTree::Row> rows;
        int parentRow = -1;  // the row of the level's folder on its own level
    };
    // The level below a node (nullptr: the top level), read on first use.
    const Level& levelBelow(const core::largefiles::FileNode* parent, int parentRow) const;
    static bool isExpandable(const core::largefiles::FileNodeTree::Row& row);
    const core::largefiles::FileNodeTree::Row* rowOf(const QModelIndex& index) const;
    QVariant decoration(const QModelIndex& index) const;

    std::shared_ptr<core::largefiles::FileNodeTree> tree_;
    mutable std::unordered_map<const core::largefiles::FileNode*, Level> levels_;
};

}  // namespace ui
