#include "ui/panel/SliderPopViewController.h"

#include "ui/kit/controls/ImageButton.h"
#include "ui/panel/CustomSlider.h"

namespace ui {
namespace {

// Laid out as the pop-ups' interface files have them; the slider's height is the 85 points its
// cell fills at the top value.
const QRect kSliderFrame(6, 12, 20, 85);
const QRect kButtonFrame(6, 104, 20, 20);

}  // namespace

SliderPopViewController::SliderPopViewController(const QString& sliderIdentifier, double minimum, double maximum)
    : rootView(new PopBaseView), slider(new CustomSlider(rootView)), closeButton(new ImageButton(rootView)) {
    setParent(rootView);
    rootView->resize(kWidth, kHeight);
    slider->setGeometry(kSliderFrame);
    slider->cell().identifier = sliderIdentifier;
    slider->setRange(minimum, maximum);
    closeButton->setGeometry(kButtonFrame);
    connect(slider, &CustomSlider::action, this, [this] { sliderAction(); });
    connect(closeButton, &ImageButton::clicked, this, [this] { closeButtonAction(); });
    awakeFromNib();
}

bool SliderPopViewController::showReading(double value) {
    if (slider->isDragged()) return false;
    slider->setDoubleValue(value);
    return true;
}

void SliderPopViewController::awakeFromNib() {
    rootView->setPopBaseVDelegate(this);
    slider->move((rootView->width() - slider->width()) / 2, slider->y());
}

}  // namespace ui
