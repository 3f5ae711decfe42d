#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace ui {

// The moving bar shown while duplicates are deleted: the bar picture slides over its track from
// beyond the left edge to beyond the right one, one step every timeSize seconds, and starts over.
class Animation : public QWidget {
    Q_OBJECT
public:
    static constexpr double timeSize = 0.02;

    explicit Animation(QWidget* parent = nullptr);

    void startAnimation();
    void stopAnimation();
    bool isFinished() const { return !timer.isActive(); }
    // Where the bar's left edge is, from the track's left edge.
    qreal barPosition() const { return position; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void step();

    QPixmap track;
    QPixmap bar;
    QTimer timer;
    qreal position;
};

}  // namespace ui
