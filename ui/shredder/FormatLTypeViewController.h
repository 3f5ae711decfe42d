#pragma once

#include "ui/kit/controls/SortSelectBgView.h"

#include <QWidget>

#include <vector>

class QLabel;

namespace ui {

class FormatLTypeViewDelegate;

// The erase-method pop-up: one row per method in tag order, each named by its tag, blue with a
// white label under the pointer. A press on a row chooses its method; the owner also hears when
// the pointer enters or leaves the pop-up.
class FormatLTypeViewController : public QWidget, public SortSelectBgViewDelegate {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 28;
    static constexpr int kWidth = 270;

    explicit FormatLTypeViewController(QWidget* parent = nullptr);

    void setDelegate(FormatLTypeViewDelegate* delegate) { delegate_ = delegate; }
    // The rows (view_1 ...) and their labels (text_1 ...), in tag order.
    const std::vector<SortSelectBgView*>& rows() const { return rows_; }
    const std::vector<QLabel*>& texts() const { return texts_; }

    void selectSortType(SortSelectBgView* row) override;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<SortSelectBgView*> rows_;
    std::vector<QLabel*> texts_;
    FormatLTypeViewDelegate* delegate_ = nullptr;  // not owned
};

}  // namespace ui
