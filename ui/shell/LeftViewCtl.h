#pragma once

#include "ui/shell/LeftCellItem.h"
#include "ui/shell/LeftCellViewDelegate.h"

#include <QObject>
#include <QRectF>

#include <memory>
#include <vector>

class QLabel;
class QWidget;

namespace ui {

class LeftView;

// The left column: three group headers and the ten tool cells beneath them. A chosen cell
// becomes the selected one and its page is shown. The controller lives as long as its view,
// which owns it.
class LeftViewCtl : public QObject, public LeftCellViewDelegate {
    Q_OBJECT
public:
    LeftViewCtl();
    ~LeftViewCtl() override;

    LeftView* view() const { return columnView; }
    const std::vector<std::unique_ptr<LeftCellItem>>& cells() const { return cellObjs; }

    void selectCellView(LeftCellItem* item) override;
    // Selects the cell without switching the page; the caller shows the page itself.
    void setSelectCellWithID(int cellID);

private:
    void loadInterface();
    void awakeFromNib();
    void createCellView();
    QRectF getNextRect(const QRectF& rect, int iID) const;
    QRectF belowHeader(const QWidget* header, const QRectF& cellFrame) const;
    QRectF cocoaFrame(const QWidget* view) const;
    void refreshCells();

    LeftView* columnView = nullptr;
    QWidget* cleanupView = nullptr;
    QWidget* viewTools = nullptr;
    QWidget* privacyView = nullptr;
    QLabel* cleanupLabel = nullptr;
    QLabel* toolLabel = nullptr;
    QLabel* privacyLabel = nullptr;
    std::vector<std::unique_ptr<LeftCellItem>> cellObjs;
};

}  // namespace ui
