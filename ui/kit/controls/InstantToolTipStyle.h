#pragma once

#include <QProxyStyle>

namespace ui {

// The desktop's style, except that tool tips appear without delay.
class InstantToolTipStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

}  // namespace ui
