#pragma once

#include "core/startup/StartupItemsModel.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>

#include <string>
#include <vector>

namespace ui {

// The startup items' table over the page model's rows, read on the main thread as they are:
// the tick box, the icon with the name and path, the kind and the remove button.
class StartupItemsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Hide, Name, Kind, Remove, ColumnCount };
    static constexpr int kRowHeight = 40;

    explicit StartupItemsTableModel(const core::startup::StartupItemsModel& items, QObject* parent = nullptr);

    // Shows the model's rows: the same rows are redrawn in place (the table keeps its selection
    // and scroll position), other rows rebuild the table.
    void reloadData();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QIcon iconOf(const std::string& path) const;

    const core::startup::StartupItemsModel& items;
    std::vector<std::string> shownPaths;
    mutable QHash<QString, QIcon> icons;
};

}  // namespace ui
