#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace ui {

// A borderless button that is just a picture, centred and shrunk to fit; faded while not usable.
class ImageButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit ImageButton(QWidget* parent = nullptr);

    // The application picture of that name (imageNamed).
    void setImageNamed(const QString& name);
    QString imageName() const { return name; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString name;
    QPixmap picture;
};

}  // namespace ui
