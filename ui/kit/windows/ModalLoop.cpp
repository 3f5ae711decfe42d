#include "ui/kit/windows/ModalLoop.h"

#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <vector>

namespace ui {
namespace {

// Ends its loop when the window is hidden (closing hides it) or destroyed.
class ModalSession : public QObject {
public:
    explicit ModalSession(QWidget* window) : window(window) {
        window->installEventFilter(this);
        connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    }

    void run() {
        if (!stopped) loop.exec(QEventLoop::DialogExec);
    }
    void stop() {
        stopped = true;
        loop.quit();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window && event->type() == QEvent::Hide) stop();
        return false;
    }

private:
    QPointer<QWidget> window;
    QEventLoop loop;
    bool stopped = false;
};

std::vector<ModalSession*>& sessions() {
    static std::vector<ModalSession*> running;
    return running;
}

void makeModeless(QWidget* window) {
    // Qt applies a modality only when a window is shown.
    const bool visible = window->isVisible();
    if (visible) window->hide();
    window->setWindowModality(Qt::NonModal);
    if (visible) window->show();
}

void runModalSession(QWidget* window, Qt::WindowModality modality) {
    QPointer<QWidget> guarded(window);
    window->setWindowModality(modality);
    ModalSession session(window);
    sessions().push_back(&session);
    window->show();
    window->raise();
    window->activateWindow();
    if (window->isVisible()) session.run();
    sessions().pop_back();
    if (guarded) makeModeless(guarded);
}

}  // namespace

void runModal(QWidget* window) { runModalSession(window, Qt::ApplicationModal); }

// A window is modal to the window it is transient for.
void runModalOver(QWidget* window, QWidget* owner) {
    window->winId();
    owner->window()->winId();
    window->windowHandle()->setTransientParent(owner->window()->windowHandle());
    runModalSession(window, Qt::WindowModal);
}

void stopModal() {
    if (!sessions().empty()) sessions().back()->stop();
}

}  // namespace ui
