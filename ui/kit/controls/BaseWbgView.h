#pragma once

#include <QWidget>

namespace ui {

// Told when the pointer enters (false) or leaves (true) a BaseWbgView.
class BaseWbgViewDelegate {
public:
    virtual ~BaseWbgViewDelegate() = default;
    virtual void dropMouseEixtView(bool exited) = 0;
};

// A faint dark rounded block that reports the pointer entering and leaving it.
class BaseWbgView : public QWidget {
    Q_OBJECT
public:
    explicit BaseWbgView(QWidget* parent = nullptr);

    BaseWbgViewDelegate* delegate() const { return _delegate; }
    void setDelegate(BaseWbgViewDelegate* delegate) { _delegate = delegate; }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    BaseWbgViewDelegate* _delegate = nullptr;  // not owned
};

}  // namespace ui
