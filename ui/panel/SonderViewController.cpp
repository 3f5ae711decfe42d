#include "ui/panel/SonderViewController.h"

#include "core/kit/LatestTaskQueue.h"
#include "core/panel/MasterVolume.h"
#include "ui/kit/controls/ImageButton.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/panel/CustomSlider.h"

namespace ui {
namespace {

constexpr double kLowestVolume = 0.001;

// One queue for the whole application, so volumes from a pop-up that is gone and from a new
// one are still applied in the order they were given.
core::LatestTaskQueue& volumeQueue() {
    static core::LatestTaskQueue queue(&Dispatch::globalQueue);
    return queue;
}

}  // namespace

SonderViewController::SonderViewController(SonderVCDelegate* delegate)
    : SliderPopViewController(QStringLiteral("sound"), 0, 100), sonderVCDelegate(delegate) {}

double SonderViewController::sliderValueForVolume(double volume) {
    const double value = volume * 100;
    return value < 1 ? 0 : value;
}

QString SonderViewController::speakerImageName(double volume) {
    return sliderValueForVolume(volume) == 0 ? QStringLiteral("ic_volume_disable") : QStringLiteral("ic_volume");
}

void SonderViewController::changeSondValue() {
    const double volume = core::getMasterVolume();
    mySoundSlider()->setDoubleValue(sliderValueForVolume(volume));
    closeSoundButton()->setImageNamed(speakerImageName(volume));
}

void SonderViewController::changeSound() {
    const double value = mySoundSlider()->doubleValue();
    applyVolume(value == 0 ? kLowestVolume : value / 100);
}

void SonderViewController::closeSoundButtonAction() {
    mySoundSlider()->setDoubleValue(kLowestVolume);
    applyVolume(kLowestVolume);
}

void SonderViewController::applyVolume(double volume) {
    volumeQueue().submit([volume] { core::setMasterVolume(volume); });
    closeSoundButton()->setImageNamed(speakerImageName(volume));
}

void SonderViewController::mouseExitForPopView() {
    if (sonderVCDelegate) sonderVCDelegate->mouseExitForPopVC();
}

}  // namespace ui
