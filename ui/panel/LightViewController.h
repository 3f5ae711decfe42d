#pragma once

#include "ui/panel/SliderPopViewController.h"

#include <QPointer>

namespace ui {

class LightVCDelegate {
public:
    virtual ~LightVCDelegate() = default;
    // The pointer has left the pop-up: the panel closes it.
    virtual void mouseExitForPopVC() = 0;
};

// The display brightness pop-up: a slider from 0 to 1 over the brightness button, read and
// set through the brightness tool off the main thread; settings are applied one at a time,
// the latest winning.
class LightViewController : public SliderPopViewController {
    Q_OBJECT
public:
    explicit LightViewController(LightVCDelegate* delegate);

    // Reads the level with the tool's "-l" and shows it once read, unless the slider is being
    // dragged; a missing or silent tool leaves the slider as it is.
    void changeLightValue();
    // The slider moved: its value becomes the level.
    void changeLight();
    // Sets the level off the main thread; where the tool fails, the level read back is shown.
    void setLightValue(double level);
    // The button at the foot: the darkest level (which still lights the display).
    void closeLightButtonAction();

protected:
    void sliderAction() override { changeLight(); }
    void closeButtonAction() override { closeLightButtonAction(); }
    void mouseExitForPopView() override;

private:
    static void readLevelInto(const QPointer<LightViewController>& self);

    LightVCDelegate* lightVCDelegate;  // not owned
};

}  // namespace ui
