#pragma once

#include "core/kit/Executors.h"
#include "core/uninstall/AsMDeleteExecutorDelegate.h"
#include "core/uninstall/RelatedFilesSelection.h"
#include "core/uninstall/UninstallTally.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/kit/tables/CheckButtonCellDelegate.h"
#include "ui/kit/windows/DialogWindowController.h"
#include "ui/uninstall/UninstallProgressDelegate.h"

#include <memory>
#include <vector>

class QLabel;
class QModelIndex;

namespace core::uninstall {
class AsMDeleteExecutor;
}

namespace ui {

class CustemOutlineView;
class RelatedFilesCleanDelegate;
class RelatedFilesModel;
class TextImageButton;
class UninstallProgressWindowController;

// The window that shows what an uninstall will remove: one group per entry being uninstalled
// (its nested applications, the bundle, its Library files), everything ticked at first, the
// first group open. "卸载" closes it and, half a second later, removes the ticked items in
// ticking order through the window's own remover while the progress window counts them;
// "取消" and the close button only close it. The page hears when the run has ended.
class AMRelatedFilesWindowController : public DialogWindowController,
                                       public core::uninstall::AsMDeleteExecutorDelegate,
                                       public UninstallProgressDelegate,
                                       public CheckButtonCellDelegate {
    Q_OBJECT
public:
    using Groups = std::vector<core::uninstall::RelatedFilesSelection::Group>;
    static constexpr int kRemoveDelayMilliseconds = 500;

    explicit AMRelatedFilesWindowController(core::Executors executors = Dispatch::executors());
    ~AMRelatedFilesWindowController() override;

    // Not owned: the page outlives the window.
    void setDelegate(RelatedFilesCleanDelegate* delegate) { delegate_ = delegate; }
    // The groups to show, every record ticked in group order.
    void setAllRelaltedFiles(Groups groups);

    // The buttons' and the outline's actions.
    void clickedDeleteBtn();
    void clickedCancelBtn();
    void openOrClose(const QModelIndex& row);
    // A check box of the row that was clicked: a group's or a record's.
    void selectRemoveLanguage(const QModelIndex& row);
    void clickButtonAction(CheckButtonCell* cell, const QModelIndex& row) override;
    // Removes the ticked items and shows their progress; nothing when none is ticked.
    void doRemove();

    // The remover's reports and the progress window's end.
    void deleteRelatedFile(const core::uninstall::AMAppItemPtr& item, const std::string& path) override;
    void deleteRelatedFileFail(const core::uninstall::AMAppItemPtr& item, const std::string& path) override;
    void uninstallEnd() override;

    // True from doRemove until the last ticked item has been reported.
    bool isRunning() const { return running_; }
    // Lets the controller go: at once when no run is going, else as soon as its run has ended,
    // so a run's end always reaches the page.
    void releaseWhenIdle();

    // The parts, for the page and tests.
    const core::uninstall::RelatedFilesSelection& selection() const { return selection_; }
    const core::uninstall::UninstallTally& tally() const { return tally_; }
    QLabel* titleLabel() const { return titleLabel_; }
    CustemOutlineView* outlineView() const { return outlineView_; }
    RelatedFilesModel* outlineModel() const { return model_; }
    TextImageButton* cancelButton() const { return cancelButton_; }
    TextImageButton* uninstallButton() const { return uninstallButton_; }
    UninstallProgressWindowController* uninstallPWC() const { return uninstallPWC_.get(); }

private:
    void windowDidLoad();
    void makeOutline(QWidget* content);
    void showProgress();
    // After either report: the progress window follows the tally, and the run's end is told.
    void reportDone();
    void showTally();

    core::Executors executors_;
    RelatedFilesCleanDelegate* delegate_ = nullptr;
    core::uninstall::RelatedFilesSelection selection_;
    core::uninstall::UninstallTally tally_;
    std::shared_ptr<core::uninstall::AsMDeleteExecutor> deleteExecutor;
    std::unique_ptr<UninstallProgressWindowController> uninstallPWC_;
    QLabel* titleLabel_ = nullptr;
    CustemOutlineView* outlineView_ = nullptr;
    RelatedFilesModel* model_ = nullptr;
    TextImageButton* cancelButton_ = nullptr;
    TextImageButton* uninstallButton_ = nullptr;
    bool running_ = false;
    bool releaseAfterRun_ = false;
};

}  // namespace ui
