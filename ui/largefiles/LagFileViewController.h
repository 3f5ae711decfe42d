#pragma once

#include "ui/largefiles/ListFileViewControllerDelagate.h"
#include "ui/shell/ViewDelegate.h"

#include <QWidget>

namespace ui {

class ListFileViewController;

// Tool page 5, the large-file finder: it hosts the list controller and swaps its start view
// and list view. Tools may be switched at any time, during a scan or a deletion too. It offers
// no preview of a file.
class LagFileViewController : public QWidget, public ViewDelegate, public ListFileViewControllerDelagate {
    Q_OBJECT
public:
    explicit LagFileViewController(QWidget* parent = nullptr);

    QWidget* getView() override { return this; }
    int getViewID() override { return 5; }
    bool isCanClick() override { return true; }

    void listFileBackButtonAction() override;
    void showDetailPage() override;
    void pereviewFileWithFileNodePath(const QString& path) override;

    ListFileViewController* listFileVC() const { return listFileVC_; }

private:
    void awakeFromNib();

    ListFileViewController* listFileVC_ = nullptr;
};

}  // namespace ui
