#pragma once

#include <QPixmap>
#include <QWidget>

namespace ui {

// An image view that shows its picture centred, shrunk to fit when it is larger, and swallows
// clicks so that nothing below it reacts.
class DMImageView : public QWidget {
    Q_OBJECT
public:
    explicit DMImageView(QWidget* parent = nullptr);

    void setImage(const QPixmap& image);
    QPixmap image() const { return picture; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap picture;
};

}  // namespace ui
