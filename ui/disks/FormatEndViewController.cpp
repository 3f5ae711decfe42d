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
// A notice without a message is only its title and button.
constexpr QSize kTitleOnlySize(400, 110);
constexpr int kMargin = 24;

QSize contentSizeFor(const QString& message) { return message.isEmpty() ? kTitleOnlySize : kContentSize; }

}  // namespace

FormatEndViewController::FormatEndViewController(const QString& title, const QString& message)
    : DialogWindowController(contentSizeFor(message)) {
    QWidget* content = aWindow->contentView();
    const QSize size = contentSizeFor(message);
    titleLabel_ = makeTitleField(content, QRect(kMargin, 18, 352, 22), title);
    messageLabel_ = makeTextField(content, QRect(kMargin, 48, 352, 60), message, systemFontOfSize(12),
                                  getColor(107, 107, 107, 1));
    messageLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    messageLabel_->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    messageLabel_->setVisible(!message.isEmpty());
    closeButton_ = makeDiskDialogButton(content, size, 0, DiskDialogButtonLook::Secondary, QStringLiteral("好的"));
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
