#include "ui/panel/SonderViewController.h"

#include "ui/kit/controls/ImageButton.h"
#include "ui/panel/CustomSlider.h"
#include "ui/panel/OutputVolumeControl.h"

namespace ui {
namespace {

constexpr double kLowestVolume = 0.001;

}  // namespace

SonderViewController::SonderViewController(SonderVCDelegate* delegate)
    : SliderPopViewController(QStringLiteral("sound"), 0, 100), sonderVCDelegate(delegate) {
    connect(&OutputVolumeControl::shared(), &OutputVolumeControl::readingArrived, this,
            [this](const OutputVolumeReading& reading) { showVolume(reading.volume); });
}

double SonderViewController::sliderValueForVolume(double volume) {
    const double value = volume * 100;
    return value < 1 ? 0 : value;
}

QString SonderViewController::speakerImageName(double volume) {
    return sliderValueForVolume(volume) == 0 ? QStringLiteral("ic_volume_disable") : QStringLiteral("ic_volume");
}

void SonderViewController::changeSondValue() {
    OutputVolumeControl& control = OutputVolumeControl::shared();
    if (control.lastReading()) showVolume(control.lastReading()->volume);
    control.read();
}

// A reading that comes while the user drags the slider leaves it where the pointer is.
void SonderViewController::showVolume(double volume) {
    if (showReading(sliderValueForVolume(volume))) closeSoundButton()->setImageNamed(speakerImageName(volume));
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
    OutputVolumeControl::shared().setVolume(volume);
    closeSoundButton()->setImageNamed(speakerImageName(volume));
}

void SonderViewController::mouseExitForPopView() {
    if (sonderVCDelegate) sonderVCDelegate->mouseExitForPopVC();
}

}  // namespace ui
