#include "ui/disks/MakeSureFormatViewController.h"

#include "core/disks/VolumeRules.h"
#include "ui/disks/DiskDialogButton.h"
#include "ui/disks/FormatTypeViewController.h"
#include "ui/disks/MakeSureFormatVCDelegate.h"
#include "ui/disks/TextFiledBgView.h"
#include "ui/kit/controls/SpinningImageView.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/ImageNamed.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/windows/AttachedWindowShape.h"
#include "ui/kit/windows/TCImageWindow.h"

#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace ui {
namespace {

constexpr QSize kContentSize(420, 240);
constexpr int kMargin = 24;
const QRect kNameFieldFrame(80, 112, 200, 28);
const QRect kTypeFieldFrame(80, 148, 200, 28);

QColor darkText() { return getColor(45, 45, 45, 1); }
QColor greyText() { return getColor(107, 107, 107, 1); }

}  // namespace

MakeSureFormatViewController::MakeSureFormatViewController() : DialogWindowController(kContentSize) {
    makeConfirmation();
    makeWorkingState();
}

MakeSureFormatViewController::~MakeSureFormatViewController() { closeMattachedWindow(); }

void MakeSureFormatViewController::makeConfirmation() {
    makeSureView_ = new QWidget(aWindow->contentView());
    makeSureView_->setGeometry(QRect(QPoint(0, 0), kContentSize));
    nameLabel_ = makeTitleField(makeSureView_, QRect(kMargin, 18, 372, 22), QString());
    nodeLabel_ = makeTextField(makeSureView_, QRect(kMargin, 46, 372, 36), QString(), systemFontOfSize(12), greyText());
    deviceLabel_ = makeTextField(makeSureView_, QRect(kMargin, 84, 372, 18), QString(), systemFontOfSize(12), greyText());

    makeTextField(makeSureView_, QRect(kMargin, kNameFieldFrame.top(), 56, 28), QStringLiteral("名称"),
                  systemFontOfSize(13), darkText(), Qt::AlignLeft | Qt::AlignVCenter);
    auto* nameField = new TextFiledBgView(makeSureView_);
    nameField->setGeometry(kNameFieldFrame);
    nameTextFiled_ = new QLineEdit(nameField);
    nameTextFiled_->setGeometry(8, 2, kNameFieldFrame.width() - 16, 24);
    nameTextFiled_->setFrame(false);
    nameTextFiled_->setFont(systemFontOfSize(13));
    nameTextFiled_->setStyleSheet(QStringLiteral("background: transparent; color: #2D2D2D;"));

    makeTextField(makeSureView_, QRect(kMargin, kTypeFieldFrame.top(), 56, 28), QStringLiteral("格式"),
                  systemFontOfSize(13), darkText(), Qt::AlignLeft | Qt::AlignVCenter);
    typeField_ = new TextFiledBgView(makeSureView_);
    typeField_->setGeometry(kTypeFieldFrame);
    typeLabel_ = makeTextField(typeField_, QRect(8, 0, kTypeFieldFrame.width() - 36, 28), QString(),
                               systemFontOfSize(13), darkText(), Qt::AlignLeft | Qt::AlignVCenter);
    typeLabel_->setGraphicsEffect(new QGraphicsOpacityEffect(typeLabel_));
    openImageV_ = new QLabel(typeField_);
    openImageV_->setGeometry(kTypeFieldFrame.width() - 22, 8, 12, 12);
    openImageV_->setPixmap(imageNamed(QStringLiteral("ic_arrow_down"), QSizeF(12, 12)));
    auto* typeButton = new QPushButton(typeField_);
    typeButton->setGeometry(QRect(QPoint(0, 0), kTypeFieldFrame.size()));
    typeButton->setFlat(true);
    typeButton->setCursor(Qt::PointingHandCursor);
    typeButton->setStyleSheet(QStringLiteral("background: transparent; border: none;"));
    connect(typeButton, &QAbstractButton::clicked, this, &MakeSureFormatViewController::openMenuAction);
    typeSelectBut_ = typeButton;

    noButton_ = makeDiskDialogButton(makeSureView_, kContentSize, 1, DiskDialogButtonLook::Secondary, QStringLiteral("取消"));
    connect(noButton_, &QAbstractButton::clicked, this, &MakeSureFormatViewController::noButtonAction);
    okButton_ = makeDiskDialogButton(makeSureView_, kContentSize, 0, DiskDialogButtonLook::Primary, QStringLiteral("格式化"));
    connect(okButton_, &QAbstractButton::clicked, this, &MakeSureFormatViewController::okButtonAction);
    setKeyEquivalents({okButton_}, {noButton_});
}

void MakeSureFormatViewController::makeWorkingState() {
    formatView_ = new QWidget(aWindow->contentView());
    formatView_->setGeometry(QRect(QPoint(0, 0), kContentSize));
    loading_ = new SpinningImageView(QStringLiteral("ic_loading"), formatView_);
    loading_->setGeometry(kContentSize.width() / 2 - 16, 72, 32, 32);
    workingLabel_ = makeTextField(formatView_, QRect(kMargin, 120, 372, 40), QStringLiteral("正在格式化，请稍候…"),
                                  systemFontOfSize(13), darkText(), Qt::AlignHCenter | Qt::AlignTop);
    formatView_->hide();
}

void MakeSureFormatViewController::setName(const QString& name, const QString& type, const QString& device,
                                           const QString& capacity) {
    nameLabel_->setText(QStringLiteral("格式化'%1'?").arg(name));
    nodeLabel_->setText(QStringLiteral("格式化后，“%1”上的所有数据都将删除，您想格式化吗？").arg(name));
    deviceLabel_->setText(QStringLiteral("设备：%1，容量：%2").arg(device, capacity));
    nameTextFiled_->setText(name);
    nameTextFiled_->setReadOnly(true);
    nameTextFiled_->setFocusPolicy(Qt::NoFocus);
    typeLabel_->setText(type);
    const bool keepsType = core::disks::VolumeRules::isApfsType(type.toStdString());
    static_cast<QGraphicsOpacityEffect*>(typeLabel_->graphicsEffect())->setOpacity(keepsType ? 0.5 : 1.0);
    openImageV_->setVisible(!keepsType);
    typeSelectBut_->setEnabled(!keepsType);
    // The field becomes editable once the window is up, so the name is not selected as it opens.
    QPointer<QLineEdit> field = nameTextFiled_;
    Dispatch::detached([field] {
        Dispatch::mainQueue([field] {
            if (!field) return;
            field->setReadOnly(false);
            field->setFocusPolicy(Qt::StrongFocus);
        });
    });
}

void MakeSureFormatViewController::okButtonAction() {
    if (formatView_->isVisible()) return;
    closeMattachedWindow();
    formatView_->show();
    makeSureView_->hide();
    workingLabel_->setText(QStringLiteral("正在格式化“%1”，请稍候…").arg(nameTextFiled_->text()));
    if (delegate_) delegate_->makeSureToFormatSelectVolumeWithName(nameTextFiled_->text(), typeLabel_->text());
}

void MakeSureFormatViewController::noButtonAction() {
    closeMattachedWindow();
    closeWindow();
}

// Just above the type field, at its middle, in the window's bottom-up coordinates.
QPointF MakeSureFormatViewController::popUpPoint() const {
    const QPoint top = typeField_->mapTo(aWindow.get(), QPoint(typeField_->width() / 2, 0));
    return QPointF(top.x(), aWindow->height() - top.y());
}

void MakeSureFormatViewController::openMenuAction() {
    if (sortAttachedWindow_ || !typeSelectBut_->isEnabled()) return;
    auto* view = new FormatTypeViewController;
    view->setDelegate(this);
    formatTypeVC_ = view;
    sortAttachedWindow_ = MAAttachedWindow::initWithView(view, popUpPoint(), aWindow.get(), AttachedSide::Above, 0, 1.0);
    sortAttachedWindow_->setMattachedWDelegate(this);
    sortAttachedWindow_->setBorderColor(getColor(220, 221, 228, 1));
    sortAttachedWindow_->show();
    isPopSortWin = true;
    QPointer<MAAttachedWindow> shown = sortAttachedWindow_;
    QTimer::singleShot(kPopUpMilliseconds, this, [this, shown] {
        if (shown && shown == sortAttachedWindow_ && isPopSortWin) closeMattachedWindow();
    });
}

void MakeSureFormatViewController::mouseEixtView(bool exited) {
    isPopSortWin = exited;
    if (exited) closeMattachedWindow();
}

void MakeSureFormatViewController::selectFormatbyType(int index) {
    const QString type = FormatTypeViewController::typeText(index);
    if (!type.isEmpty()) typeLabel_->setText(type);
    closeMattachedWindow();
}

// The pop-up goes later, never while one of its rows is delivering the click.
void MakeSureFormatViewController::closeMattachedWindow() {
    if (!sortAttachedWindow_) return;
    MAAttachedWindow* window = sortAttachedWindow_;
    sortAttachedWindow_ = nullptr;
    if (formatTypeVC_) formatTypeVC_->setDelegate(nullptr);
    formatTypeVC_ = nullptr;
    window->setMattachedWDelegate(nullptr);
    window->hide();
    window->deleteLater();
}

}  // namespace ui
