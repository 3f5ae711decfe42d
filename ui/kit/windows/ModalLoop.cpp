#include "ui/kit/windows/ModalLoop.h"

#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

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

}  // namespace

void runModal(QWidget* window) {
    QPointer<QWidget> guarded(window);
    window->setWindowModality(Qt::ApplicationModal);
    ModalSession session(window);
    sessions().push_back(&session);
    window->show();
    window->raise();
    window->activateWindow();
    if (window->isVisible()) session.run();
    sessions().pop_back();
    if (guarded) makeModeless(guarded);
}

void stopModal() {
    if (!sessions().empty()) sessions().back()->stop();
}

}  // namespace ui
