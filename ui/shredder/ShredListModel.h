#pragma once

#include "core/shredder/ShredList.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>

namespace ui {

// The shredder's table over the page's list, read on the main thread: the check box, the icon
// with the name, the path, the size ("--" for folders) and the type.
class ShredListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The columns, named by their identifiers.
    enum Column { CheckBox, Name, Path, Size, Type, ColumnCount };
    static constexpr int kRowHeight = 40;

    explicit ShredListModel(const core::ShredList& list, QObject* parent = nullptr);

    // Shows the list as it stands now.
    void reloadData();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QIcon iconOf(const core::FileObj& item) const;

    const core::ShredList& list;
    int shownRows = 0;
    mutable QHash<QString, QIcon> icons;
};

}  // namespace ui
