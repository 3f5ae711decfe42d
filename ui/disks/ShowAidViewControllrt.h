#pragma once

#include "ui/kit/windows/DialogWindowController.h"

#include <QStringList>

class QLabel;
class QTableWidget;

namespace ui {

class EUProgressView;
class ShowAidVCDelegate;
class TextImageButton;

// The first-aid output: one row per chunk of the disk utility's output as it arrives (one
// trailing newline removed), scrolled to the newest, under a progress bar that grows by 5 per
// chunk up to 99 and shows 100 at the end, when "完成" becomes usable.
class ShowAidViewControllrt : public DialogWindowController {
    Q_OBJECT
public:
    static constexpr int kTextWidth = 450;

    explicit ShowAidViewControllrt(const QString& name);

    void setDelegate(ShowAidVCDelegate* delegate) { delegate_ = delegate; }
    void changeShowOutPut(const QString& text);
    // A chunk count, or 101 at the end.
    void setProgressValue(float value);
    void completeButAction();

    // A row's height for its text: the text's height at 450 points in 12 points, at least 20;
    // a height strictly between 30 and 36 becomes 36.
    static int heightOfRow(const QString& text);
    static int rowHeightForTextHeight(qreal textHeight);

    const QStringList& allShowStrArr() const { return allShowStrArr_; }
    QTableWidget* showTableView() const { return showTableView_; }
    TextImageButton* completeBut() const { return completeBut_; }
    EUProgressView* progress() const { return progress_; }
    double shownProgress() const { return shownProgress_; }

private:
    void reloadAndScroll();

    ShowAidVCDelegate* delegate_ = nullptr;  // not owned
    QStringList allShowStrArr_;
    QTableWidget* showTableView_ = nullptr;
    TextImageButton* completeBut_ = nullptr;
    EUProgressView* progress_ = nullptr;
    double shownProgress_ = 0;
};

}  // namespace ui
