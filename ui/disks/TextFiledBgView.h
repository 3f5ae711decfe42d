#pragma once

#include <QWidget>

namespace ui {

// The ground behind the disk dialogs' text fields: a light blue-grey box with corners of
// radius 2.
class TextFiledBgView : public QWidget {
    Q_OBJECT
public:
    explicit TextFiledBgView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui
