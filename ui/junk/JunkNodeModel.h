#pragma once

#include "core/junk/TCTreeNode.h"

#include <QAbstractItemModel>
#include <QIcon>

namespace ui {

// The detail screen's rows: the children of one category node, one level for the table of
// categories 0 to 4, the whole tree for the chat category's outline. It reads the nodes as they
// are, so a change of states shows after refreshStates; the trees are the page's.
class JunkNodeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { CheckBox, Name, Size, Open, ColumnCount };
    static constexpr int kRowHeight = 40;

    explicit JunkNodeModel(bool outline, QObject* parent = nullptr);

    // Shows the children of a new node (or nothing).
    void setRootNode(core::junk::TCTreeNode* node);
    core::junk::TCTreeNode* rootNode() const { return root; }
    // Redraws every check box of the table after the states changed.
    void refreshStates();
    // The same for the outline's rows that its view shows (see DuplicateOutlineModel).
    void refreshStates(const QModelIndexList& shownRows);

    static core::junk::TCTreeNode* nodeAt(const QModelIndex& index);
    static QString checkImageName(int32_t state, bool outline);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    core::junk::TCTreeNode* nodeOf(const QModelIndex& index) const;
    QVariant decoration(const core::junk::TCTreeNode& node, int column) const;

    core::junk::TCTreeNode* root = nullptr;
    bool isOutline;
};

}  // namespace ui
