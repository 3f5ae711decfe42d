#pragma once

#include <QWidget>

namespace ui {

class SortSelectBgView;

// The owner of a pop-up list: it learns which row was clicked and reads the row's object name
// as the chosen type.
class SortSelectBgViewDelegate {
public:
    virtual ~SortSelectBgViewDelegate() = default;
    // The owner usually closes the pop-up here: it must delete the row later (deleteLater),
    // never while the click is being delivered.
    virtual void selectSortType(SortSelectBgView* row) = 0;
};

// One row of a pop-up list: blue under the pointer, and a press chooses it.
class SortSelectBgView : public QWidget {
    Q_OBJECT
public:
    explicit SortSelectBgView(QWidget* parent = nullptr);

    bool isMouseIn() const { return _isMouseIn; }
    SortSelectBgViewDelegate* delegate() const { return _delegate; }
    void setDelegate(SortSelectBgViewDelegate* delegate) { _delegate = delegate; }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool _isMouseIn = false;
    SortSelectBgViewDelegate* _delegate = nullptr;  // not owned
};

}  // namespace ui
