#pragma once

#include "ui/kit/controls/SortSelectBgView.h"

#include <QWidget>

#include <array>

class QLabel;

namespace ui {

class FormatTypeVCDelegate;

// The format dialog's type pop-up: four rows ("ExFAT", "MS-DOS FAT32", "Mac OS扩展", "APFS")
// on a PopBgView; a press on a row tells the delegate its index, and the pointer entering or
// leaving the whole view is reported too.
class FormatTypeViewController : public QWidget, public SortSelectBgViewDelegate {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 28;
    static constexpr int kWidth = 150;

    explicit FormatTypeViewController(QWidget* parent = nullptr);

    // The type text of an index, "" for any other index.
    static QString typeText(int index);

    void setDelegate(FormatTypeVCDelegate* delegate) { delegate_ = delegate; }
    SortSelectBgView* row(int index) const { return rows.at(index); }

    void selectSortType(SortSelectBgView* row) override;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    std::array<SortSelectBgView*, 4> rows{};
    FormatTypeVCDelegate* delegate_ = nullptr;  // not owned
};

}  // namespace ui
