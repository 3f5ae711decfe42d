#pragma once

#include "ui/panel/SliderPopViewController.h"

namespace ui {

class SonderVCDelegate {
public:
    virtual ~SonderVCDelegate() = default;
    // The pointer has left the pop-up: the panel closes it.
    virtual void mouseExitForPopVC() = 0;
};

// The output volume pop-up: a slider from 0 to 100 over the speaker button. The volume is read
// and set off the main thread (OutputVolumeControl): the slider shows each reading that comes,
// and moves are applied one at a time, the latest winning.
class SonderViewController : public SliderPopViewController {
    Q_OBJECT
public:
    explicit SonderViewController(SonderVCDelegate* delegate);

    // The volume (0 to 1) as the slider shows it: in hundredths, 0 below 1.
    static double sliderValueForVolume(double volume);
    // The speaker picture for a volume (0 to 1): "ic_volume_disable" where the slider shows 0.
    static QString speakerImageName(double volume);

    // Shows the last volume read at once, and the device's volume once it has been read.
    void changeSondValue();
    // The slider moved: its value / 100 becomes the volume, 0 becoming 0.001 (very low, not mute).
    void changeSound();
    // The speaker button: the volume 0.001.
    void closeSoundButtonAction();

protected:
    void sliderAction() override { changeSound(); }
    void closeButtonAction() override { closeSoundButtonAction(); }
    void mouseExitForPopView() override;

private:
    void showVolume(double volume);
    void applyVolume(double volume);

    SonderVCDelegate* sonderVCDelegate;  // not owned
};

}  // namespace ui
