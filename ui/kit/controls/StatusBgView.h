#pragma once

#include <QWidget>

namespace ui {

// Told once when the pointer has left a StatusBgView it had entered.
class StatusBgViewDelegate {
public:
    virtual ~StatusBgViewDelegate() = default;
    virtual void mouseOutView() = 0;
};

// A panel's ground that notices the pointer leaving it; a click in it makes its panel active.
class StatusBgView : public QWidget {
    Q_OBJECT
public:
    explicit StatusBgView(QWidget* parent = nullptr);

    bool isIn() const { return _isIn; }
    StatusBgViewDelegate* delegate() const { return _delegate; }
    void setDelegate(StatusBgViewDelegate* delegate) { _delegate = delegate; }

    // Reports the pointer as gone unless it is over the view right now.
    void closeWindow();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool _isIn = false;
    StatusBgViewDelegate* _delegate = nullptr;  // not owned
};

}  // namespace ui
