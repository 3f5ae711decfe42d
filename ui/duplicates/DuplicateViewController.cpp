#include "ui/duplicates/DuplicateViewController.h"

#include "ui/duplicates/SameFileDeleteViewController.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/looks/WidgetColors.h"
#include "ui/shell/ToolColumn.h"

namespace ui {

DuplicateViewController::DuplicateViewController(core::Executors executors, QWidget* parent) : QWidget(parent) {
    resize(kPageWidth, kPageHeight);
    fillBackground(this, getColor(255, 255, 255, 1));
    page = std::make_unique<SameFileDeleteViewController>(std::move(executors), this);
    page->setDelegate(this);
    showView(page->fristView());
}

// The page goes before the views it made, which are this widget's children.
DuplicateViewController::~DuplicateViewController() { page.reset(); }

bool DuplicateViewController::isCanClick() { return page->isCanClick(); }

void DuplicateViewController::changeToProgressView() { showView(page->progressageView()); }

void DuplicateViewController::changeToDetailView() { showView(page->detailView()); }

void DuplicateViewController::backButtonAction() { showView(page->fristView()); }

void DuplicateViewController::showView(QWidget* view) {
    for (QWidget* each : {page->fristView(), page->progressageView(), page->detailView()})
        each->setVisible(each == view);
    view->setGeometry(rect());
    shown = view;
}

void DuplicateViewController::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (shown) shown->setGeometry(rect());
}

}  // namespace ui
