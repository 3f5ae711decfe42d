#pragma once

#include "core/kit/Executors.h"
#include "core/taskmanager/TaskManagerEngine.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/kit/tables/CheckButtonCellDelegate.h"
#include "ui/shell/ViewDelegate.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class QLabel;

namespace ui {

class BgTableView;
class HeaderCheckBox;
class TCImageButton;
class TaskManagerModel;
class TextImageButton;

// Tool page 1, the task manager: the running applications with icon, name and memory, each
// with a check box (ticked when it appears) and a select-all box in the header; the machine's
// CPU load and memory use (red above half, else green), refreshed every 3 s with the list and
// the memory figures; the start-up disk's temperature every 60 s; "加速" force-quits the ticked
// applications. Never busy.
class TaskManagerViewController : public QWidget, public ViewDelegate, public CheckButtonCellDelegate {
    Q_OBJECT
public:
    static constexpr int kRefreshMilliseconds = 3000;
    static constexpr int kTemperatureMilliseconds = 60000;

    explicit TaskManagerViewController(core::Executors executors = Dispatch::executors(), QWidget* parent = nullptr);
    ~TaskManagerViewController() override;

    QWidget* getView() override { return this; }
    int getViewID() override { return 1; }
    bool isCanClick() override { return true; }

    // The buttons' actions.
    void closeButtonAction();
    void refButtonAction();
    void setAllSelectOrNoSelect();
    // A row's check box, for the row that was clicked.
    void clickButtonAction(CheckButtonCell* cell, const QModelIndex& row) override;
    // The timers' ticks.
    void changeCpuAndMemory();
    void setiTemperature();

    // The controls, for tests.
    TextImageButton* closeBut() const { return closeBut_; }
    TCImageButton* refButton() const { return refButton_; }
    HeaderCheckBox* selectAllButton() const { return selectAllButton_; }
    QLabel* cpuLabel() const { return cpuLabel_; }
    QLabel* memoryLabel() const { return memoryLabel_; }
    QLabel* TemperatureLabel() const { return TemperatureLabel_; }
    BgTableView* listTableView() const { return listTableView_; }
    TaskManagerModel* listModel() const { return model; }
    core::taskmanager::TaskManagerEngine& engine() const { return *engine_; }
    const QTimer& timer() const { return timer_; }
    const QTimer& temTimer() const { return temTimer_; }

private:
    void awakeFromNib(core::Executors executors);
    void makeFigures();
    void makeTable();
    void tableHeaderSelectAllButton();
    void makeButtons();
    // The select-all box's picture and the force-quit button follow the rows' state.
    void changeSelectAllButton();
    void rowsChanged();
    static void showLoad(QLabel* label, float percentage);

    std::shared_ptr<core::taskmanager::TaskManagerEngine> engine_;
    QTimer timer_;
    QTimer temTimer_;
    TextImageButton* closeBut_ = nullptr;
    TCImageButton* refButton_ = nullptr;
    HeaderCheckBox* selectAllButton_ = nullptr;
    QLabel* cpuLabel_ = nullptr;
    QLabel* memoryLabel_ = nullptr;
    QLabel* TemperatureLabel_ = nullptr;
    BgTableView* listTableView_ = nullptr;
    TaskManagerModel* model = nullptr;
};

}  // namespace ui
