#pragma once

#include "ui/shell/ViewDelegate.h"

#include <QWidget>

namespace ui {

// The page of a tool that is not built yet: it shows the tool's name and is never busy.
class PlaceholderViewController : public QWidget, public ViewDelegate {
    Q_OBJECT
public:
    PlaceholderViewController(int viewID, const QString& toolName);

    QWidget* getView() override { return this; }
    int getViewID() override { return viewID; }
    bool isCanClick() override { return true; }

private:
    int viewID;
};

}  // namespace ui
