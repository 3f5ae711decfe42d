#pragma once

#include "ui/kit/windows/DialogWindowController.h"

class QLabel;

namespace ui {

class FristAidVCDelegate;
class TextImageButton;

// The first-aid choice: "在“<name>”上运行急救？"; "验证" and "运行" close it and ask the
// delegate to verify or to repair, "取消" and the close box only close.
class FristAidViewController : public DialogWindowController {
    Q_OBJECT
public:
    FristAidViewController();

    void setDelegate(FristAidVCDelegate* delegate) { delegate_ = delegate; }
    void changeAidDiskName(const QString& name);
    void checkButAction();
    void repaireButAction();

    QLabel* topLabel() const { return topLabel_; }
    TextImageButton* cancelBut() const { return cancelBut_; }
    TextImageButton* checkBut() const { return checkBut_; }
    TextImageButton* repairBut() const { return repairBut_; }

private:
    FristAidVCDelegate* delegate_ = nullptr;  // not owned
    QLabel* topLabel_ = nullptr;
    TextImageButton* cancelBut_ = nullptr;
    TextImageButton* checkBut_ = nullptr;
    TextImageButton* repairBut_ = nullptr;
};

}  // namespace ui
