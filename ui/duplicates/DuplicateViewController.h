#pragma once

#include "core/kit/Executors.h"
#include "ui/duplicates/SameFileDeleteViewControllerDelegate.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/shell/ViewDelegate.h"

#include <QWidget>

#include <memory>

namespace ui {

class SameFileDeleteViewController;

// Tool page 4, the duplicate finder: it hosts the page logic and shows one of its three views
// at a time (the first view, the search's progress, the result), each filling the page. The
// tool is busy, and keeps the window on it, while a deletion runs.
class DuplicateViewController : public QWidget, public ViewDelegate, public SameFileDeleteViewControllerDelegate {
    Q_OBJECT
public:
    explicit DuplicateViewController(core::Executors executors = Dispatch::executors(), QWidget* parent = nullptr);
    ~DuplicateViewController() override;

    QWidget* getView() override { return this; }
    int getViewID() override { return 4; }
    bool isCanClick() override;

    void changeToProgressView() override;
    void changeToDetailView() override;
    void backButtonAction() override;

    SameFileDeleteViewController* sameFileDeleteVC() const { return page.get(); }
    // The view shown now.
    QWidget* shownView() const { return shown; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showView(QWidget* view);

    std::unique_ptr<SameFileDeleteViewController> page;
    QWidget* shown = nullptr;
};

}  // namespace ui
