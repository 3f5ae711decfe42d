#pragma once

#include "core/browser/BrowerObj.h"

#include <QAbstractTableModel>
#include <QPair>

namespace ui {

// The browser cleaner's left table over the page's list: one row per browser or profile node,
// its tri-state check picture, and its icon with the name split into title and subtitle.
class BrowserNodeModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { FSelect, FName, ColumnCount };
    static constexpr int kRowHeight = 48;

    explicit BrowserNodeModel(const core::browser::BrowserList& browserArr, QObject* parent = nullptr);

    // The list was replaced or its ticks changed.
    void reloadData();
    // A node's name without ".app", split at the first " - " into title and subtitle (trimmed);
    // without one, the whole name and no subtitle.
    static QPair<QString, QString> titleAndSubtitle(const QString& name);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const core::browser::BrowserList& browserArr;
};

}  // namespace ui
