#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace ui {

// A picture turning about its centre while the view is shown: the pages' sign of work under way.
class SpinningImageView : public QWidget {
    Q_OBJECT
public:
    explicit SpinningImageView(const QString& imageName, QWidget* parent = nullptr);

    qreal angle() const { return turned; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QPixmap picture;
    QTimer timer;
    qreal turned = 0;
};

}  // namespace ui
