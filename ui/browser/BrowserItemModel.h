#pragma once

#include "core/browser/BrowerObj.h"

#include <QAbstractTableModel>

namespace ui {

// The browser cleaner's right table: the items of the node the page shows, each with its check
// picture, its 16-point icon, title and description, and its size text.
class BrowserItemModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { SSelect, SName, SSize, ColumnCount };
    static constexpr int kRowHeight = 48;

    explicit BrowserItemModel(const core::browser::BrowserList& browserArr, QObject* parent = nullptr);

    // Shows the items of another node (an index past the list shows none).
    void showNode(int node);
    // The items' ticks or sizes changed.
    void reloadData();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const core::browser::BrowerObj* node() const;

    const core::browser::BrowserList& browserArr;
    int shownNode = 0;
};

}  // namespace ui
