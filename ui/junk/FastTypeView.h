#pragma once

#include <QWidget>

class QLabel;

namespace ui {

class FastTypeViewDelegate;
class SpinningImageView;
class TCImageButton;
class junkView;

// One junk category's tile: icon, title, subtitle, size, its check box, the detail button right
// after the title and the loading view shown over the check box while the category is cleaned.
class FastTypeView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 644;
    static constexpr int kHeight = 73;

    explicit FastTypeView(QWidget* parent = nullptr);

    FastTypeViewDelegate* delegate = nullptr;
    int tag = 0;

    void setCategory(const QPixmap& icon, const QString& title, const QString& subTitle, const QString& size);
    void setSizeText(const QString& size);
    // The check box shows the picture; an unusable one keeps it and takes no clicks.
    void setCheck(const QString& imageName, bool usable);
    // Places the detail button right after the title's text.
    void setDetailButtonFrame();
    void setDetailButtonUsable(bool usable);
    void setDetailButtonHidden(bool hidden);
    void setLoading(bool loading);

    QLabel* titleLabel() const { return title; }
    QLabel* sizeLabel() const { return size; }
    TCImageButton* checkBox() const { return check; }
    TCImageButton* detailButton() const { return detail; }
    junkView* loadingView() const { return loading; }
    QString checkImageName() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* iconImageView;
    QLabel* title;
    QLabel* subTitleLabel;
    QLabel* size;
    TCImageButton* check;
    TCImageButton* detail;
    junkView* loading;
    SpinningImageView* loadingImageView;
};

}  // namespace ui
