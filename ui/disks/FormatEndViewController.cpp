#include "ui/disks/FormatEndViewController.h"

#include "ui/disks/DiskDialogButton.h"
#include "ui/disks/FormatEndVCDelegate.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/windows/TCImageWindow.h"

#include <QAbstractButton>
#include <QLabel>

namespace ui {
namespace {

constexpr QSize kContentSize(400, 170);
constexpr int kMargin = 24;

}  // namespace

FormatEndViewController::FormatEndViewController(const QString& title, const QString& message)
    : DialogWindowController(kContentSize) {
    QWidget* content = aWindow->contentView();
    titleLabel_ = makeTitleField(content, QRect(kMargin, 18, 352, 22), title);
    messageLabel_ = makeTextField(content, QRect(kMargin, 48, 352, 60), message, systemFontOfSize(12),
                                  getColor(107, 107, 107, 1));
    messageLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    messageLabel_->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    closeButton_ = makeDiskDialogButton(content, kContentSize, 0, DiskDialogButtonLook::Secondary, QStringLiteral("好的"));
    connect(closeButton_, &QAbstractButton::clicked, this, &FormatEndViewController::closeWindowAction);
    setKeyEquivalents({closeButton_}, {});
    QAbstractButton* closeBox = aWindow->standardWindowButton(NSWindowCloseButton);
    closeBox->disconnect(this);
    connect(closeBox, &QAbstractButton::clicked, this, &FormatEndViewController::closeWindowAction);
}

void FormatEndViewController::closeWindowAction() {
    if (!aWindow->isVisible()) return;
    if (delegate_) delegate_->getallVolumes();
    closeWindow();
}

}  // namespace ui
