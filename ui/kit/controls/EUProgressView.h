#pragma once

#include <QWidget>

namespace ui {

class NSProgressBar;

// The flat progress bar of scans, removals and erasures: a pale rounded track that owns the green
// bar growing from its left edge. It starts empty and is fed percentages.
class EUProgressView : public QWidget {
    Q_OBJECT
public:
    explicit EUProgressView(QWidget* parent = nullptr);
    EUProgressView(const QRect& frame, QWidget* parent);

    // Sets the bar to the given percentage of the track's width; anything past the last point
    // (values above 100 included) fills the track exactly.
    void changeProgressValue(float percentage);

    NSProgressBar* progressBar() const { return pProgress1; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    NSProgressBar* pProgress1;
};

}  // namespace ui
