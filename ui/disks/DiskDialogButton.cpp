#include "ui/disks/DiskDialogButton.h"

#include "ui/kit/controls/TextImageButton.h"

namespace ui {
namespace {

constexpr QSize kButtonSize(100, 32);
constexpr int kRightMargin = 24;
constexpr int kBottomMargin = 20;
constexpr int kSpacing = 12;

}  // namespace

TextImageButton* makeDiskDialogButton(QWidget* content, const QSize& contentSize, int place, DiskDialogButtonLook look,
                                      const QString& title) {
    auto* button = new TextImageButton(content);
    const int left = contentSize.width() - kRightMargin - kButtonSize.width() - place * (kButtonSize.width() + kSpacing);
    button->setGeometry(QRect(QPoint(left, contentSize.height() - kBottomMargin - kButtonSize.height()), kButtonSize));
    button->setButtonEnabled(true);
    if (look == DiskDialogButtonLook::Primary)
        button->setImageFromFileNormalName("btn_pri", "btn_pri_press", "btn_pri_press", "btn_pri_disable");
    else
        button->setImageFromFileNormalName("btn_sec", "btn_sec_press", "btn_sec_press", "btn_sec_disable");
    button->setTextWithName(title);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

}  // namespace ui
