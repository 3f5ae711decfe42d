#include "ui/largefiles/LagFileViewController.h"

#include "platform/system/Log.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/WidgetColors.h"
#include "ui/largefiles/ListFileViewController.h"
#include "ui/shell/ToolColumn.h"

namespace ui {

LagFileViewController::LagFileViewController(QWidget* parent) : QWidget(parent) {
    resize(kPageWidth, kPageHeight);
    fillBackground(this, getColor(255, 255, 255, 1));
    awakeFromNib();
}

void LagFileViewController::awakeFromNib() {
    listFileVC_ = new ListFileViewController(this);
    listFileVC_->detagate = this;
    listFileVC_->setGeometry(rect());
    listFileBackButtonAction();
}

void LagFileViewController::listFileBackButtonAction() {
    listFileVC_->listView()->hide();
    listFileVC_->aLoadView()->show();
}

void LagFileViewController::showDetailPage() {
    listFileVC_->aLoadView()->hide();
    listFileVC_->listView()->show();
}

void LagFileViewController::pereviewFileWithFileNodePath(const QString& path) {
    platform::logInfo("no preview of " + path.toStdString() + ": the large-file finder offers none");
}

}  // namespace ui
