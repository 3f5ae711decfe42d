#pragma once

#include <QWidget>

namespace ui {

class PopBaseViewDelegate {
public:
    virtual ~PopBaseViewDelegate() = default;
    virtual void mouseExitForPopView() = 0;
};

// The root view of a slider pop-up: tells its delegate when the pointer has left it (moving
// onto one of its own controls is not leaving it).
class PopBaseView : public QWidget {
    Q_OBJECT
public:
    explicit PopBaseView(QWidget* parent = nullptr);

    PopBaseViewDelegate* popBaseVDelegate() const { return delegate; }
    void setPopBaseVDelegate(PopBaseViewDelegate* popDelegate) { delegate = popDelegate; }

protected:
    void leaveEvent(QEvent* event) override;

private:
    PopBaseViewDelegate* delegate = nullptr;  // not owned
};

}  // namespace ui
