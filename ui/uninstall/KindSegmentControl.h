#pragma once

#include <QStringList>
#include <QWidget>

namespace ui {

// The uninstaller's kind selector: segments side by side in one rounded green outline, the
// selected one filled green. A click on another segment selects it and reports it; nothing
// happens while the control is disabled.
class KindSegmentControl : public QWidget {
    Q_OBJECT
public:
    KindSegmentControl(const QStringList& labels, QWidget* parent = nullptr);

    int selectedSegment() const { return selected; }
    void setSelectedSegment(int segment);
    // The segment under a point of the control, or -1.
    int segmentAt(const QPoint& point) const;
    QRect segmentRect(int segment) const;

signals:
    void segmentClicked(int segment);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QStringList labels;
    int selected = 0;
};

}  // namespace ui
