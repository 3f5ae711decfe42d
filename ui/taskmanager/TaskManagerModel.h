#pragma once

#include "core/taskmanager/TaskManagerRows.h"

#include <QAbstractTableModel>

namespace ui {

// The task manager's table over the engine's rows, read on the main thread as they are: the
// check box, the icon and name, and the memory text.
class TaskManagerModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ChcekBox, Name, Size, ColumnCount };
    static constexpr int kRowHeight = 40;

    explicit TaskManagerModel(const core::taskmanager::TaskManagerRows& rows, QObject* parent = nullptr);

    // The rows came, went or were rebuilt.
    void reloadData();
    // Only the memory figures changed: the Size column is redrawn, nothing else.
    void reloadSizes();
    // The check boxes changed.
    void reloadChecks();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void columnChanged(Column column);

    const core::taskmanager::TaskManagerRows& rows;
};

}  // namespace ui
