#include "ui/kit/KxTitlebarContainer.h"

#include "ui/kit/RoundedClipEffect.h"
#include "ui/kit/TCImageWindow.h"

namespace ui {

KxTitlebarContainer::KxTitlebarContainer(QWidget* parent) : QWidget(parent) {
    setGraphicsEffect(new RoundedClipEffect(TCImageWindow::titleBarCornerRadius(), this));
}

}  // namespace ui
