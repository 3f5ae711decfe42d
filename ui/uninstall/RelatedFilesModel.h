#pragma once

#include "core/uninstall/RelatedFilesSelection.h"
#include "ui/uninstall/AppItemIcons.h"

#include <QAbstractItemModel>

namespace ui {

// The related-files outline: the groups at the top level, each showing its first record's name
// and icon, the size of all its records and its check state; their records below. Only groups
// have children. It reads the selection as it is: call reload after the groups changed and
// refreshStates after the ticks changed.
class RelatedFilesModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { CheckBox, Name, Size, ColumnCount };
    static constexpr int kRowHeight = 40;

    RelatedFilesModel(const core::uninstall::RelatedFilesSelection& selection, QObject* parent = nullptr);

    void reload();
    void refreshStates();

    // The group of a top-level row (-1 for a record's row), and the record of a record's row.
    static int groupOf(const QModelIndex& index);
    core::uninstall::AMAppItemPtr recordOf(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QVariant groupData(int group, int column, int role) const;
    QVariant recordData(const core::uninstall::AMAppItemPtr& item, int column, int role) const;

    const core::uninstall::RelatedFilesSelection& selection;
    mutable AppItemIcons icons;
};

}  // namespace ui
