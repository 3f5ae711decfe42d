#pragma once

#include "core/kit/Executors.h"
#include "core/kit/StopToken.h"
#include "core/shredder/RemoveFileAndFolder.h"
#include "core/shredder/SecureEraser.h"
#include "core/shredder/ShredList.h"
#include "ui/kit/controls/DragView.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/kit/tables/CheckButtonCellDelegate.h"
#include "ui/kit/windows/FileAndFolderOpenPanel.h"
#include "ui/shell/ViewDelegate.h"
#include "ui/shredder/NTFSWindowController.h"
#include "ui/shredder/ShredProgressWindowController.h"
#include "ui/shredder/ShredProgressWindowDelegate.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

namespace ui {

class CustomTableView;
class ShredListModel;
class HeaderCheckBox;
class TCImageButton;
class TextImageButton;

// Tool page 6, the file shredder. Its drop area takes files and folders dropped on it or picked
// in the add panel; then the list shows them with check boxes, the header box ticks all or
// none, and "擦除" opens the shred window, in which the user confirms, may choose the erase
// method, follows the progress and sees the result. The work list is walked and the items are
// erased off the main thread; tool switching is refused while the shred window is open.
class FileShareController : public QWidget,
                            public ViewDelegate,
                            public DragViewDelegate,
                            public CheckButtonCellDelegate,
                            public core::RemoveFileAndFolderDelegate,
                            public ShredProgressWindowDelegate {
    Q_OBJECT
public:
    explicit FileShareController(core::Executors executors = Dispatch::executors(),
                                 std::shared_ptr<core::SecureEraser> eraser = std::make_shared<core::SecureEraser>(),
                                 core::ShredList list = core::ShredList(), QWidget* parent = nullptr);
    ~FileShareController() override;

    QWidget* getView() override { return this; }
    int getViewID() override { return 6; }
    bool isCanClick() override { return isCanClick_; }

    // Drop and pick.
    void viewDragAction(const QStringList& paths) override;
    void selectFileButtonAction(QObject* sender) override;
    // The list's buttons.
    void clickButtonAction(CheckButtonCell* cell, const QModelIndex& row) override;
    void selectListButton(int row);
    void setAllSelectOrNoSelect();
    void emptyListButtonAction();
    void backHomeButtonAction();
    // "擦除": opens the shred window and returns once it is closed.
    void erasreButtonAction();

    // The shred window.
    void doDeleteButtonClick() override;
    void cancelShred() override;
    // The engine.
    void removeProgress(const std::string& path, float percent) override;
    void removeObjEnd(core::RemoveFileAndFolder* engine) override;
    void haveFailWipe() override;

    // The parts, for tests.
    const core::ShredList& list() const { return list_; }
    const std::vector<std::shared_ptr<core::FileObj>>& deleteErrorArr() const { return deleteErrorArr_; }
    int aSelectAllState() const { return list_.aSelectAllState(); }
    QWidget* listView() const { return listView_; }
    QWidget* dragView() const { return dragView_; }
    DragView* dragFileView() const { return dragFileView_; }
    DragView* listDragView() const { return listDragView_; }
    CustomTableView* valueTableView() const { return valueTableView_; }
    ShredListModel* listModel() const { return model_; }
    HeaderCheckBox* selectAllButton() const { return selectAllButton_; }
    TCImageButton* emptylistButton() const { return emptylistButton_; }
    TCImageButton* addFileButton() const { return addFileButton_; }
    TCImageButton* backHome() const { return backHome_; }
    TextImageButton* wipeFileButton() const { return wipeFileButton_; }
    TextImageButton* addFileBut() const { return addFileBut_; }
    ShredProgressWindowController* shredProgessWC() const { return shredProgessWC_.get(); }
    NTFSWindowController* shownNotice() const { return shownNotice_; }
    FileAndFolderOpenPanel* openPanel() const { return panel_; }
    core::RemoveFileAndFolder* removeFileAndFolder() const { return removeFileAndFolder_.get(); }

private:
    void awakeFromNib();
    void makeDropArea();
    void makeListArea();
    void makeTable(QWidget* holder);
    void tableViewTitleCheckBox();
    void showList(bool list);
    void listChanged();
    void setSelectAllState();
    void showNotice(NTFSWindowController::Notice notice, const QString& message);

    void prepareWorkList();
    void workListReady(std::vector<std::shared_ptr<core::FileObj>> items);
    void startEngine();
    void runEnded();

    core::Executors executors_;
    std::shared_ptr<core::SecureEraser> eraser_;
    core::ShredList list_;
    std::vector<std::shared_ptr<core::FileObj>> deleteErrorArr_;
    std::shared_ptr<core::RemoveFileAndFolder> removeFileAndFolder_;
    std::unique_ptr<ShredProgressWindowController> shredProgessWC_;

    // The run in hand: its work list (walked on a worker), whether "继续" was clicked, its stop.
    std::vector<std::shared_ptr<core::FileObj>> workList_;
    bool workListBuilt_ = false;
    bool wantsToStart_ = false;
    bool runEnded_ = false;
    std::shared_ptr<core::StopToken> workListStop_;

    bool isFailedWipe_ = false;
    bool isCancel_ = false;
    bool isCanClick_ = true;

    QWidget* listView_ = nullptr;
    QWidget* dragView_ = nullptr;
    DragView* dragFileView_ = nullptr;
    DragView* listDragView_ = nullptr;
    CustomTableView* valueTableView_ = nullptr;
    ShredListModel* model_ = nullptr;
    HeaderCheckBox* selectAllButton_ = nullptr;
    TCImageButton* emptylistButton_ = nullptr;
    TCImageButton* addFileButton_ = nullptr;
    TCImageButton* backHome_ = nullptr;
    TextImageButton* wipeFileButton_ = nullptr;
    TextImageButton* addFileBut_ = nullptr;
    NTFSWindowController* shownNotice_ = nullptr;
    QPointer<FileAndFolderOpenPanel> panel_;
};

}  // namespace ui
