#pragma once

#include "core/kit/Executors.h"
#include "core/startup/StartupItemsModel.h"
#include "platform/desktop/LoginItemList.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/kit/tables/CheckButtonCellDelegate.h"
#include "ui/shell/ViewDelegate.h"
#include "ui/kit/windows/FileAndFolderOpenPanel.h"

#include <QPointer>
#include <QWidget>

#include <memory>

namespace ui {

class BgTableView;
class StartupItemsTableModel;
class HeaderCheckBox;
class TCImageButton;
class TextImageButton;

// Tool page 7, the startup items: one table of the session's login items, the launch agents,
// the launch daemons and the privileged helper tools, each row with a tick box, its icon, name
// and path, its kind and a remove button; the header box ticks every removable row or none;
// "移除" removes the ticked rows; the add button adds login items picked in a panel. The login
// items are read again each time the view switcher asks the page, and whenever they change
// anywhere.
class StartupItemsViewController : public QWidget, public ViewDelegate, public CheckButtonCellDelegate {
    Q_OBJECT
public:
    explicit StartupItemsViewController(core::Executors executors = Dispatch::executors(),
                                        std::shared_ptr<platform::LoginItemList> loginItems =
                                            platform::LoginItemList::shared(),
                                        QWidget* parent = nullptr);

    QWidget* getView() override { return this; }
    int getViewID() override { return 7; }
    // Refreshes, then lets the switch happen.
    bool isCanClick() override;

    // The buttons' actions.
    void addButtonAction();
    void removeButtonActoion();
    void setAllSelectOrNoSelect();
    // A row's remove button and tick box, for the row clicked.
    void removeItemsAction(const QModelIndex& row);
    void clickButtonAction(CheckButtonCell* cell, const QModelIndex& row) override;

    // The controls, for tests.
    TCImageButton* addBut() const { return addBut_; }
    TextImageButton* removeBut() const { return removeBut_; }
    HeaderCheckBox* selectAllButton() const { return selectAllButton_; }
    BgTableView* listTableView() const { return listTableView_; }
    StartupItemsTableModel* listModel() const { return model; }
    FileAndFolderOpenPanel* openPanel() const { return panel; }
    core::startup::StartupItemsModel& items() const { return *items_; }

private:
    void awakeFromNib(core::Executors executors, std::shared_ptr<platform::LoginItemList> loginItems);
    void makeTable();
    void tableViewTitleCheckBox();
    void makeButtons();
    void rowsChanged();
    // The header box's picture and "移除" follow the ticks.
    void changeSelectAllButtonState();
    void addChosenItems(const QStringList& chosen);

    std::shared_ptr<core::startup::StartupItemsModel> items_;
    TCImageButton* addBut_ = nullptr;
    TextImageButton* removeBut_ = nullptr;
    HeaderCheckBox* selectAllButton_ = nullptr;
    BgTableView* listTableView_ = nullptr;
    StartupItemsTableModel* model = nullptr;
    QPointer<FileAndFolderOpenPanel> panel;
};

}  // namespace ui
