#include "ui/kit/controls/InstantToolTipStyle.h"

namespace ui {

int InstantToolTipStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                   QStyleHintReturn* returnData) const {
    if (hint == SH_ToolTip_WakeUpDelay) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace ui
