#pragma once

#include "ui/disks/FormatTypeVCDelegate.h"
#include "ui/disks/FormatTypeViewController.h"
#include "ui/kit/windows/DialogWindowController.h"
#include "ui/kit/windows/MAAttachedWindow.h"

#include <QPointer>

class QAbstractButton;
class QLabel;
class QLineEdit;

namespace ui {

class FormatTypeViewController;
class MakeSureFormatVCDelegate;
class SpinningImageView;
class TextImageButton;

// The format confirmation: "格式化'<name>'?", the warning that all data on it will be deleted,
// the device and its size, an editable name and the type with its pop-up (greyed and without
// pop-up for an APFS volume). "格式化" switches to the working state with a spinner and tells the
// delegate the name and type; the page closes the window when the format has ended.
class MakeSureFormatViewController : public DialogWindowController,
                                     public FormatTypeVCDelegate,
                                     public MAAttachedWindowDelegate {
    Q_OBJECT
public:
    // The pop-up closes this long after it opened unless the pointer has entered it.
    static constexpr int kPopUpMilliseconds = 2000;

    MakeSureFormatViewController();
    ~MakeSureFormatViewController() override;

    void setDelegate(MakeSureFormatVCDelegate* delegate) { delegate_ = delegate; }
    // The volume's name and type, and the line naming its device and size.
    void setName(const QString& name, const QString& type, const QString& device, const QString& capacity);

    void okButtonAction();
    void noButtonAction();
    void openMenuAction();
    void selectFormatbyType(int index) override;
    void mouseEixtView(bool exited) override;
    void closeMattachedWindow() override;

    QLabel* nameLabel() const { return nameLabel_; }
    QLabel* nodeLabel() const { return nodeLabel_; }
    QLabel* deviceLabel() const { return deviceLabel_; }
    QLineEdit* nameTextFiled() const { return nameTextFiled_; }
    QLabel* typeLabel() const { return typeLabel_; }
    QLabel* openImageV() const { return openImageV_; }
    QAbstractButton* typeSelectBut() const { return typeSelectBut_; }
    TextImageButton* okButton() const { return okButton_; }
    TextImageButton* noButton() const { return noButton_; }
    QWidget* makeSureView() const { return makeSureView_; }
    QWidget* formatView() const { return formatView_; }
    MAAttachedWindow* sortAttachedWindow() const { return sortAttachedWindow_; }
    FormatTypeViewController* formatTypeVC() const { return formatTypeVC_; }

private:
    void makeConfirmation();
    void makeWorkingState();
    QPointF popUpPoint() const;

    MakeSureFormatVCDelegate* delegate_ = nullptr;  // not owned
    QWidget* makeSureView_ = nullptr;
    QWidget* formatView_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLabel* nodeLabel_ = nullptr;
    QLabel* deviceLabel_ = nullptr;
    QLineEdit* nameTextFiled_ = nullptr;
    QWidget* typeField_ = nullptr;
    QLabel* typeLabel_ = nullptr;
    QLabel* openImageV_ = nullptr;
    QAbstractButton* typeSelectBut_ = nullptr;
    TextImageButton* okButton_ = nullptr;
    TextImageButton* noButton_ = nullptr;
    QLabel* workingLabel_ = nullptr;
    SpinningImageView* loading_ = nullptr;
    bool isPopSortWin = false;
    QPointer<MAAttachedWindow> sortAttachedWindow_;
    QPointer<FormatTypeViewController> formatTypeVC_;
};

}  // namespace ui
