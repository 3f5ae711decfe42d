#pragma once

#include <QPushButton>

class QLabel;

namespace ui {

// The state shared by the self-painting buttons: whether the mouse button is held down on it
// (isTracking), whether the pointer is over it (isFocus) and whether it is usable (isDisabled:
// YES means usable, the name reads the other way). A button that is not usable drops clicks
// but keeps its own enabled state, so it still sees the pointer.
class StateButton : public QPushButton {
    Q_OBJECT
public:
    bool isFocus() const { return focus; }
    void setIsFocus(bool isFocus) { focus = isFocus; }
    bool isTracking() const { return tracking; }
    bool isDisabled() const { return usable; }
    // Enabled and (where the flag counts) usable: the state in which the button draws itself
    // active and takes clicks.
    bool isUsable() const { return isEnabled() && (usable || !consultsUsableFlag()); }

protected:
    StateButton(bool startsUsable, QWidget* parent);

    // Stores the usable flag (YES = usable) and redraws; the widget's enabled state stays.
    void setButtonEnabled(bool enabled);
    // Only TCImageButton ignores the usable flag, for clicks and for drawing.
    virtual bool consultsUsableFlag() const { return true; }

    // The text label laid over the button: clear, centred, transparent to the mouse.
    QLabel* makeLabel(const QRect& frame, const QFont& font);

    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool tracking = false;
    bool focus = false;
    bool usable;
};

}  // namespace ui
