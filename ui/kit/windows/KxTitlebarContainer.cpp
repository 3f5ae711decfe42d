#include "ui/kit/windows/KxTitlebarContainer.h"

#include "ui/kit/windows/RoundedClipEffect.h"
#include "ui/kit/windows/TCImageWindow.h"

namespace ui {

KxTitlebarContainer::KxTitlebarContainer(QWidget* parent) : QWidget(parent) {
    setGraphicsEffect(new RoundedClipEffect(TCImageWindow::titleBarCornerRadius(), this));
}

}  // namespace ui
