#include "ui/junk/FastTypeView.h"

#include "ui/junk/FastTypeViewDelegate.h"
#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/controls/SpinningImageView.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/controls/TCImageButton.h"
#include "ui/kit/controls/TextField.h"
#include "ui/kit/controls/junkView.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>

namespace ui {
namespace {

constexpr qreal kTitleX = 72;
constexpr QSizeF kTitleBounds(391, 19);
constexpr qreal kDetailGap = 6;
constexpr qreal kDetailY = 38;  // Cocoa, from the tile's bottom

QRect frame(qreal x, qreal y, qreal width, qreal height) {
    return cocoaRect(FastTypeView::kHeight, x, y, width, height).toRect();
}

QFont titleFont() { return fontWithName(QStringLiteral("Helvetica Light"), 18); }

}  // namespace

FastTypeView::FastTypeView(QWidget* parent) : QWidget(parent) {
    resize(kWidth, kHeight);
    iconImageView = new QLabel(this);
    iconImageView->setGeometry(frame(8, 8.5, 56, 56));
    iconImageView->setScaledContents(true);
    title = makeTextField(this, frame(kTitleX, 36, 391, 24), QString(), titleFont(), getColor(45, 45, 45, 1),
                          Qt::AlignLeft | Qt::AlignVCenter);
    subTitleLabel = makeTextField(this, frame(kTitleX, 12, 420, 20), QString(), systemFontOfSize(12),
                                  getColor(136, 136, 136, 1), Qt::AlignLeft | Qt::AlignVCenter);
    size = makeTextField(this, frame(430, 26, 160, 21), QString(), systemFontOfSize(15), getColor(68, 68, 68, 1),
                         Qt::AlignRight | Qt::AlignVCenter);

    check = new TCImageButton(this);
    check->move(frame(612, 28.5, 16, 16).topLeft());
    connect(check, &QAbstractButton::clicked, this, [this] {
        if (delegate) delegate->checkBoxButtonAction(tag);
    });

    detail = new TCImageButton(this);
    detail->setImageFromFileNormalName(QStringLiteral("btn_detail"), QStringLiteral("btn_detail_press"),
                                       QStringLiteral("btn_detail_press"), QStringLiteral("btn_detail"));
    detail->move(frame(kTitleX, kDetailY, 20, 20).topLeft());
    detail->setCursor(Qt::PointingHandCursor);
    connect(detail, &QAbstractButton::clicked, this, [this] {
        if (delegate) delegate->detailButtonAction(tag);
    });

    loading = new junkView(this);
    loading->setGeometry(frame(606, 22.5, 28, 28));
    loadingImageView = new SpinningImageView(QStringLiteral("ic_loading"), loading);
    loadingImageView->move((loading->width() - loadingImageView->width()) / 2,
                           (loading->height() - loadingImageView->height()) / 2);
    loading->hide();
}

void FastTypeView::setCategory(const QPixmap& icon, const QString& titleText, const QString& subTitle,
                               const QString& sizeText) {
    iconImageView->setPixmap(icon);
    title->setText(titleText);
    subTitleLabel->setText(subTitle);
    setSizeText(sizeText);
}

void FastTypeView::setSizeText(const QString& sizeText) { size->setText(sizeText); }

void FastTypeView::setCheck(const QString& imageName, bool usable) {
    check->setImageFromFileNormalName(imageName, imageName, imageName, imageName);
    check->setEnabled(usable);
    check->setCursor(usable ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

QString FastTypeView::checkImageName() const { return check->normalImageName(); }

void FastTypeView::setDetailButtonFrame() {
    const QRectF bounds = QFontMetricsF(titleFont()).boundingRect(QRectF(QPointF(), kTitleBounds), Qt::AlignLeft,
                                                                  title->text());
    const qreal width = std::min(bounds.width(), kTitleBounds.width());
    detail->move(frame(kTitleX + width + kDetailGap, kDetailY, 20, 20).topLeft());
}

void FastTypeView::setDetailButtonUsable(bool usable) { detail->setEnabled(usable); }

void FastTypeView::setDetailButtonHidden(bool hidden) { detail->setHidden(hidden); }

void FastTypeView::setLoading(bool shown) {
    loading->setVisible(shown);
    check->setHidden(shown);
}

// A hairline under the text, so the six tiles read as one list.
void FastTypeView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(getColor(236, 237, 240, 1), 1));
    painter.drawLine(QPointF(kTitleX, kHeight - 0.5), QPointF(kWidth, kHeight - 0.5));
}

}  // namespace ui
