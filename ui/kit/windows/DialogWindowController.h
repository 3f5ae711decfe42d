#pragma once

#include <QObject>
#include <QSize>

#include <memory>
#include <vector>

class QAbstractButton;

namespace ui {

class TCImageWindow;

// A dialog's controller: it owns its custom window, whose content its subclass lays out, and
// closes it through closeWindow, which the window's close button calls too. Callers create the
// controller, centre its window, run it with runModal and let the controller go afterwards.
//
// The keyboard works as in the platform's own dialogs: Return presses the default button and
// Escape the cancel button, else the window's close button. A dialog names its buttons with
// setKeyEquivalents; where it names several (one per pane), the first that is shown and usable
// is pressed.
class DialogWindowController : public QObject {
    Q_OBJECT
public:
    ~DialogWindowController() override;

    TCImageWindow* window() const { return aWindow.get(); }

    // Stops the modal loop and closes the window; nothing once it is closed.
    void closeWindow();

protected:
    // A fixed-size window whose content view has the given size, with its own thin border and
    // shadow; it cannot be miniaturised or zoomed, and its close button calls closeWindow.
    explicit DialogWindowController(const QSize& contentSize);

    void setKeyEquivalents(std::vector<QAbstractButton*> defaultButtons, std::vector<QAbstractButton*> cancelButtons);

    bool eventFilter(QObject* watched, QEvent* event) override;

    std::unique_ptr<TCImageWindow> aWindow;

private:
    // Presses the first of the buttons that takes a click now; false when none does.
    static bool pressFirstUsable(const std::vector<QAbstractButton*>& buttons);

    std::vector<QAbstractButton*> defaultButtons_;
    std::vector<QAbstractButton*> cancelButtons_;
};

}  // namespace ui
