#pragma once

#include "ui/panel/PopBaseView.h"

#include <QObject>
#include <QString>

namespace ui {

class CustomSlider;
class ImageButton;

// What the panel's two slider pop-ups share: a PopBaseView holding a CustomSlider over a
// picture button at its foot, the slider centred across the view. The view owns its
// controller, so dropping the view drops both.
class SliderPopViewController : public QObject, protected PopBaseViewDelegate {
    Q_OBJECT
public:
    // The size of the frame the panel places a pop-up in.
    static constexpr int kWidth = 32;
    static constexpr int kHeight = 130;

    PopBaseView* view() const { return rootView; }
    CustomSlider* mySoundSlider() const { return slider; }
    ImageButton* closeSoundButton() const { return closeButton; }

protected:
    // The slider runs from minimum to maximum; its cell draws by the identifier.
    SliderPopViewController(const QString& sliderIdentifier, double minimum, double maximum);

    virtual void sliderAction() = 0;
    virtual void closeButtonAction() = 0;
    // A value read from the device, shown unless the user is dragging the slider; whether it was.
    bool showReading(double value);

private:
    void awakeFromNib();

    PopBaseView* rootView;
    CustomSlider* slider;
    ImageButton* closeButton;
};

}  // namespace ui
