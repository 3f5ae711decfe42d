#pragma once

#include <QObject>
#include <QSize>

#include <memory>

namespace ui {

class TCImageWindow;

// A dialog's controller: it owns its custom window, whose content its subclass lays out, and
// closes it through closeWindow, which the window's close button calls too. Callers create the
// controller, centre its window, run it with runModal and let the controller go afterwards.
class DialogWindowController : public QObject {
    Q_OBJECT
public:
    ~DialogWindowController() override;

    TCImageWindow* window() const { return aWindow.get(); }

    // Stops the modal loop and closes the window; nothing once it is closed.
    void closeWindow();

protected:
    // A fixed-size window whose content view has the given size; it cannot be miniaturised or
    // zoomed, and its close button calls closeWindow.
    explicit DialogWindowController(const QSize& contentSize);

    std::unique_ptr<TCImageWindow> aWindow;
};

}  // namespace ui
