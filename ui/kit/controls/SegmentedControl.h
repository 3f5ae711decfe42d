#pragma once

#include <QStringList>
#include <QWidget>

namespace ui {

// A row of equal segments with one chosen: a rounded outline, the chosen segment filled with the
// accent green (grey while the control is disabled, when it takes no clicks). A click on another
// segment chooses it and is reported.
class SegmentedControl : public QWidget {
    Q_OBJECT
public:
    SegmentedControl(const QStringList& labels, QWidget* parent = nullptr);

    int selectedSegment() const { return selected; }
    void setSelectedSegment(int segment);
    int segmentCount() const { return static_cast<int>(labels.size()); }
    QRect segmentRect(int segment) const;

signals:
    void segmentSelected(int segment);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QStringList labels;
    int selected = 0;
};

}  // namespace ui
