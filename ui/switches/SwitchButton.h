#pragma once

#include <QAbstractButton>

namespace ui {

// The button of one quick switch: it shows its picture ("Active" on, "Disabled" off), dimmed
// while the button is not usable, and takes clicks only while it is usable.
class SwitchButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit SwitchButton(QWidget* parent = nullptr);

    void setImage(const QString& name);
    const QString& image() const { return imageName; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString imageName;
};

}  // namespace ui
