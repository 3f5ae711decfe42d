#pragma once

#include "core/uninstall/AppSizeRequests.h"
#include "core/uninstall/UninstallLists.h"
#include "ui/uninstall/AppItemIcons.h"

#include <QAbstractTableModel>

#include <functional>

namespace ui {

// The uninstaller page's table over the shown rows of its lists, read as they are: the check
// box, the icon with the name and identifier, version, size (measured the first time a row asks
// for it), system text, identifier and the row's uninstall button. The header of the name
// column holds the page's count title.
class UninstallTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { CheckBox, AppName, Version, Size, System, BundleID, Uninstall, ColumnCount };
    static constexpr int kRowHeight = 48;

    // measured is told about each record whose size has just been stored.
    UninstallTableModel(const core::uninstall::UninstallLists& lists, core::Executors executors,
                        std::function<void(const core::uninstall::AMAppItemPtr&)> measured, QObject* parent = nullptr);

    // The shown rows came, went or changed order.
    void reloadData();
    // The check boxes changed.
    void reloadChecks();
    // One record's size, wherever its row is now.
    void reloadSize(const core::uninstall::AMAppItemPtr& item);
    void setAppNameTitle(const QString& title);
    // The row button drawn pressed for this record (none with nullptr).
    void setHoverItem(const core::uninstall::AMAppItemPtr& item);
    // Starts the record's measurement unless it has one.
    void measure(const core::uninstall::AMAppItemPtr& item) { sizes.sizeOf(item); }

    core::uninstall::AMAppItemPtr recordAt(const QModelIndex& index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QVariant text(const core::uninstall::AMAppItemPtr& item, int column) const;
    QVariant picture(const core::uninstall::AMAppItemPtr& item, int column) const;
    void columnChanged(Column column);

    const core::uninstall::UninstallLists& lists;
    mutable core::uninstall::AppSizeRequests sizes;
    mutable AppItemIcons icons;
    QString appNameTitle;
    core::uninstall::AMAppItemPtr hoverItem;
};

}  // namespace ui
