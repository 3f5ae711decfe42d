#pragma once

#include "core/kit/Executors.h"
#include "core/uninstall/AppCatalogScanner.h"
#include "core/uninstall/UninstallLists.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/kit/tables/CheckButtonCellDelegate.h"
#include "ui/shell/ViewDelegate.h"
#include "ui/uninstall/RelatedFilesCleanDelegate.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class QLabel;
class QLineEdit;
class QModelIndex;

namespace ui {

class AMRelatedFilesWindowController;
class CustomTableView;
class SegmentedControl;
class HeaderCheckBox;
class TCImageButton;
class TextImageButton;
class UninstallTableModel;

// Tool page 2, the uninstaller: the installed applications, widgets or plug-ins (one kind at a
// time, chosen with the kind selector) with check boxes, a select-all box, a search field,
// columns sortable by size and name, and an uninstall button per row. Uninstalling gathers the
// related files of each chosen entry on a worker and shows them, one group per entry, in the
// related-files window; when that run has ended the lists drop the entries whose bundle is gone.
class UninstallViewController : public QWidget,
                                public ViewDelegate,
                                public CheckButtonCellDelegate,
                                public RelatedFilesCleanDelegate {
    Q_OBJECT
public:
    explicit UninstallViewController(core::Executors executors = Dispatch::executors(), QWidget* parent = nullptr);
    ~UninstallViewController() override;

    QWidget* getView() override { return this; }
    int getViewID() override { return 2; }
    bool isCanClick() override { return true; }

    // The controls' actions.
    void refButtonAction();
    void segmentClickAction(int segment);
    void selectAllButtonAction();
    // A row's check box or uninstall button: the row that was clicked.
    void clickButtonAction(CheckButtonCell* cell, const QModelIndex& row) override;
    void oneAppRemove(const QModelIndex& row);
    void uninstallAppButtonAction();
    void controlTextDidChange(const QString& text);
    void didClickTableColumn(int column);
    // The related-files window's run has ended.
    void completeCleanRelatedFiles() override;

    // The parts, for tests.
    const core::uninstall::UninstallLists& lists() const { return lists_; }
    SegmentedControl* typeSegment() const { return typeSegment_; }
    TCImageButton* refButton() const { return refButton_; }
    QLineEdit* searchBar() const { return searchBar_; }
    CustomTableView* listViewTabel() const { return listViewTabel_; }
    UninstallTableModel* listModel() const { return model_; }
    HeaderCheckBox* selectAllBut() const { return selectAllBut_; }
    TextImageButton* uninstallButton() const { return uninstallButton_; }
    QLabel* selectCountLabel() const { return selectCountLabel_; }
    AMRelatedFilesWindowController* relatedFilesWinController() const;
    bool isScan() const { return isScan_; }
    // True while the related files of an uninstall are being gathered.
    bool isGathering() const { return isGathering_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void awakeFromNib();
    void makeTopBar();
    void makeTable();
    void getLanguagsTableHeaderView();
    void makeBottomBar();

    void begimScanFile();
    void scanKinds(std::vector<core::uninstall::AppKind> kinds);
    void kindScanned(core::uninstall::AppKind kind, std::vector<core::uninstall::AMAppItemPtr> items);
    void scanFinished(bool wholeCatalogue);

    void changeSelectAllButtonState();
    void setAppNameTitle(const QString& format);
    void showRows();
    void sortBy(int column);
    void sizeMeasured(const core::uninstall::AMAppItemPtr& item);

    void startUninstall(std::vector<core::uninstall::AMAppItemPtr> records);
    void showRelatedFiles(const std::vector<core::uninstall::AMAppItemPtr>& records,
                          std::vector<std::vector<core::uninstall::AMAppItemPtr>> groups);
    void setRowsUsable(bool usable);

    core::Executors executors_;
    core::uninstall::AppCatalogScanner::SearchPaths searchPaths;
    core::uninstall::UninstallLists lists_;
    UninstallTableModel* model_ = nullptr;
    SegmentedControl* typeSegment_ = nullptr;
    TCImageButton* refButton_ = nullptr;
    QLineEdit* searchBar_ = nullptr;
    CustomTableView* listViewTabel_ = nullptr;
    HeaderCheckBox* selectAllBut_ = nullptr;
    TextImageButton* uninstallButton_ = nullptr;
    QLabel* selectCountLabel_ = nullptr;
    QPointer<AMRelatedFilesWindowController> relatedFilesWinController_;
    // The records of the uninstalls started since the last run ended.
    std::vector<core::uninstall::AMAppItemPtr> uninstalling_;
    core::uninstall::AMAppItemPtr oneAppItem;  // the row whose own button started the uninstall
    int selectRow = -1;
    int sortPendingColumn = -1;  // a Size sort waiting for sizes to be measured
    bool isScan_ = false;
    bool isGathering_ = false;
};

}  // namespace ui
