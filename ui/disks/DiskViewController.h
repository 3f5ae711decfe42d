#pragma once

#include "core/disks/DiskVolumeActions.h"
#include "core/disks/DiskVolumeList.h"
#include "core/disks/VolumeRules.h"
#include "ui/disks/FormatEndVCDelegate.h"
#include "ui/disks/FristAidVCDelegate.h"
#include "ui/disks/MakeSureFormatVCDelegate.h"
#include "ui/disks/RenameVCDelegate.h"
#include "ui/disks/ShowAidVCDelegate.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/shell/ViewDelegate.h"

#include <QMap>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace ui {

class DCustomTableView;
class DiskVolumeModel;
class DTextImageButton;
class FormatEndViewController;
class FristAidViewController;
class MakeSureFormatViewController;
class RenameViewController;
class ShowAidViewControllrt;

// Tool page 8, the disk manager: the machine's volumes in two groups ("内部磁盘", "外部磁盘"),
// the selected one in a taller row with its six buttons (rename, format, safe eject, open,
// mount or unmount, first aid). It follows the mount events and rescans after every action
// that changed something; whatever the disk utility refused is shown with its reason. The view
// switcher is refused until the first volume scan has started.
class DiskViewController : public QWidget,
                           public ViewDelegate,
                           public MakeSureFormatVCDelegate,
                           public RenameVCDelegate,
                           public FristAidVCDelegate,
                           public ShowAidVCDelegate,
                           public FormatEndVCDelegate {
    Q_OBJECT
public:
    // The buttons' identifiers, in their order on the row.
    static const QStringList& buttonIdentifiers();

    explicit DiskViewController(core::Executors executors = Dispatch::executors(), QWidget* parent = nullptr);
    ~DiskViewController() override;

    QWidget* getView() override { return this; }
    int getViewID() override { return 8; }
    bool isCanClick() override { return volumes->isCanClick(); }

    // Callable from any thread; the first scan is started from a thread of its own.
    void getallVolumes() override { volumes->getallVolumes(); }
    const std::shared_ptr<core::disks::DiskVolumeList>& volumeList() const { return volumes; }
    // The last scan's volumes (main thread), read for the start-up volume's facts.
    const core::disks::DiskVolumeList::VolumeList& allVolumeArr() const { return volumes->allVolumeArr(); }

    // A click on a row: group headers are not selectable.
    void selectRow(int row);

    // The row buttons' actions, on the selected volume.
    void OpenButtonAction();
    void mountButtonAction();
    void ejectButtonAction();
    void showRenameWindow();
    void formatButtonAction();
    void aidtButAction();

    // The dialogs' answers.
    void makeSureToChangeName(const QString& name) override;
    void makeSureToFormatSelectVolumeWithName(const QString& name, const QString& type) override;
    void checkDiskAction() override;
    void repairDiskAction() override;
    void closeShowAidWindow() override;
    void showFormatEndWindow();
    // Shows what the disk utility answered when it refused or failed.
    void showFailure(const QString& message);

    // For tests.
    DCustomTableView* parTableView() const { return parTableView_; }
    DiskVolumeModel* model() const { return model_; }
    DTextImageButton* rowButton(const QString& identifier) const { return rowButtons.value(identifier); }
    QWidget* rowButtonBar() const { return rowButtonBar_; }
    bool isMount() const { return isMount_; }
    MakeSureFormatViewController* makeSureFormatVC() const { return makeSureFormatVC_.get(); }
    FormatEndViewController* formatEndVC() const { return formatEndVC_.get(); }
    RenameViewController* renameVC() const { return renameVC_.get(); }
    FristAidViewController* fristAidVC() const { return fristAidVC_.get(); }
    ShowAidViewControllrt* showAidVC() const { return showAidVC_.get(); }

private:
    void makeTable();
    void makeRowButtons();
    void reloadTable();
    void placeRowButtons();
    std::shared_ptr<core::disks::VolumeObj> selectedVolume() const;
    core::disks::DiskVolumeActions::Done reportFailures();
    void runFirstAid(bool repair);
    void startFirstAid(const core::disks::VolumeObj& volume, bool repair);
    void readCompleted(const std::string& piece);
    void EUTerminated(const core::disks::DiskVolumeActions::Result& result);

    std::shared_ptr<core::disks::DiskVolumeList> volumes;
    std::unique_ptr<core::disks::DiskVolumeActions> actions;
    DCustomTableView* parTableView_ = nullptr;
    DiskVolumeModel* model_ = nullptr;
    QWidget* rowButtonBar_ = nullptr;
    QMap<QString, DTextImageButton*> rowButtons;
    bool isMount_ = false;
    std::unique_ptr<MakeSureFormatViewController> makeSureFormatVC_;
    std::unique_ptr<FormatEndViewController> formatEndVC_;
    std::unique_ptr<RenameViewController> renameVC_;
    std::unique_ptr<FristAidViewController> fristAidVC_;
    std::unique_ptr<ShowAidViewControllrt> showAidVC_;
    bool aidRunning = false;
    int aidChunks = 0;
};

}  // namespace ui
