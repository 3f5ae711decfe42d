#include "ui/disks/ShowAidViewControllrt.h"

#include "core/disks/VolumeRules.h"
#include "ui/disks/DiskDialogButton.h"
#include "ui/disks/ShowAidVCDelegate.h"
#include "ui/kit/controls/EUProgressView.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/ImageNamed.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/tables/FlatListLook.h"
#include "ui/kit/windows/TCImageWindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace ui {
namespace {

constexpr QSize kContentSize(520, 400);
constexpr int kMargin = 24;
constexpr int kShortestRow = 20;

}  // namespace

ShowAidViewControllrt::ShowAidViewControllrt(const QString& name) : DialogWindowController(kContentSize) {
    QWidget* content = aWindow->contentView();
    auto* icon = new QLabel(content);
    icon->setGeometry(kMargin, 16, 32, 32);
    icon->setPixmap(imageNamed(QStringLiteral("ic_disk_in"), QSizeF(32, 32)));
    makeTitleField(content, QRect(kMargin + 44, 14, 400, 20), QStringLiteral("急救"));
    makeTextField(content, QRect(kMargin + 44, 36, 400, 18), name, systemFontOfSize(12), getColor(107, 107, 107, 1));

    showTableView_ = new QTableWidget(0, 1, content);
    showTableView_->setGeometry(kMargin, 64, kContentSize.width() - 2 * kMargin, 250);
    showTableView_->horizontalHeader()->hide();
    showTableView_->verticalHeader()->hide();
    showTableView_->horizontalHeader()->setStretchLastSection(true);
    showTableView_->setShowGrid(false);
    showTableView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    showTableView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    showTableView_->setWordWrap(true);
    useFlatScrollBars(*showTableView_);
    showTableView_->setFont(systemFontOfSize(12));
    showTableView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    progress_ = new EUProgressView(QRect(kMargin, 326, kContentSize.width() - 2 * kMargin, 8), content);
    completeBut_ = makeDiskDialogButton(content, kContentSize, 0, DiskDialogButtonLook::Primary, QStringLiteral("完成"));
    completeBut_->setButtonEnabled(false);
    connect(completeBut_, &QAbstractButton::clicked, this, &ShowAidViewControllrt::completeButAction);
    setKeyEquivalents({completeBut_}, {});
    setProgressValue(1);
}

int ShowAidViewControllrt::rowHeightForTextHeight(qreal textHeight) {
    int height = std::max(kShortestRow, static_cast<int>(std::ceil(textHeight)));
    return height > 30 && height < 36 ? 36 : height;
}

int ShowAidViewControllrt::heightOfRow(const QString& text) {
    QTextDocument document;
    document.setDefaultFont(systemFontOfSize(12));
    document.setDocumentMargin(0);
    document.setPlainText(text);
    document.setTextWidth(kTextWidth);
    return rowHeightForTextHeight(document.size().height());
}

void ShowAidViewControllrt::changeShowOutPut(const QString& text) {
    QString line = text;
    if (line.endsWith(QLatin1Char('\n'))) line.chop(1);
    allShowStrArr_.append(line);
    const int row = showTableView_->rowCount();
    showTableView_->insertRow(row);
    auto* item = new QTableWidgetItem(line);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    showTableView_->setItem(row, 0, item);
    showTableView_->setRowHeight(row, heightOfRow(line));
    QPointer<ShowAidViewControllrt> self(this);
    Dispatch::mainQueue([self] {
        if (self) self->reloadAndScroll();
    });
}

void ShowAidViewControllrt::reloadAndScroll() {
    showTableView_->scrollToBottom();
    showTableView_->verticalScrollBar()->setValue(showTableView_->verticalScrollBar()->maximum());
}

void ShowAidViewControllrt::setProgressValue(float value) {
    shownProgress_ = core::disks::VolumeRules::aidProgressShown(value);
    progress_->changeProgressValue(static_cast<float>(shownProgress_));
    if (value == core::disks::VolumeRules::kAidFinished) completeBut_->setButtonEnabled(true);
}

void ShowAidViewControllrt::completeButAction() {
    if (!aWindow->isVisible() || !completeBut_->isDisabled()) return;
    closeWindow();
    if (delegate_) delegate_->closeShowAidWindow();
}

}  // namespace ui
