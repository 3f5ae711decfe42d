#include "ui/panel/LightViewController.h"

#include "core/kit/LatestTaskQueue.h"
#include "core/panel/BrightnessReading.h"
#include "platform/system/Bundle.h"
#include "platform/system/Log.h"
#include "platform/system/ProcessRunner.h"
#include "ui/kit/controls/ImageButton.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/panel/CustomSlider.h"

#include <QPointer>

#include <charconv>

namespace ui {
namespace {

constexpr auto kToolTimeout = std::chrono::seconds(10);

// One queue for the whole application, so levels from a pop-up that is gone and from a new
// one are still applied in the order they were given.
core::LatestTaskQueue& brightnessQueue() {
    static core::LatestTaskQueue queue(&Dispatch::globalQueue);
    return queue;
}

platform::ProcessResult runBrightnessTool(const std::string& argument) {
    platform::ProcessRequest request;
    request.arguments = {platform::Bundle::helperPath("brightness"), argument};
    request.timeout = kToolTimeout;
    if (request.arguments.front().empty()) return {};
    return platform::ProcessRunner::shared()->run(request);
}

}  // namespace

LightViewController::LightViewController(LightVCDelegate* delegate)
    : SliderPopViewController(QStringLiteral("light"), 0, 1), lightVCDelegate(delegate) {
    closeSoundButton()->setImageNamed(QStringLiteral("ic_brightness"));
}

void LightViewController::changeLightValue() {
    QPointer<LightViewController> self(this);
    Dispatch::globalQueue([self] { readLevelInto(self); });
}

// On a worker: the tool's "-l", shown on the main thread while the pop-up is there. A missing
// or silent tool leaves the slider as it is.
void LightViewController::readLevelInto(const QPointer<LightViewController>& self) {
    const platform::ProcessResult result = runBrightnessTool("-l");
    auto level = core::brightnessFromToolOutput(result.output + result.errorOutput);
    if (!level) return;
    Dispatch::mainQueue([self, level = *level] {
        if (self) self->showReading(level);
    });
}

void LightViewController::changeLight() { setLightValue(mySoundSlider()->doubleValue()); }

// A level the tool could not set (no logind, say) is read back, so the slider shows the level
// the display really has.
void LightViewController::setLightValue(double level) {
    // Six decimals with a point, whatever the user's number format.
    char text[64];
    char* end = std::to_chars(text, text + sizeof text, level, std::chars_format::fixed, 6).ptr;
    QPointer<LightViewController> self(this);
    brightnessQueue().submit([self, argument = std::string(text, end)] {
        const platform::ProcessResult result = runBrightnessTool(argument);
        if (result.succeeded()) return;
        platform::logWarning("Brightness: the tool did not set " + argument + ": " + result.errorOutput);
        readLevelInto(self);
    });
}

void LightViewController::closeLightButtonAction() {
    mySoundSlider()->setDoubleValue(0);
    setLightValue(0);
}

void LightViewController::mouseExitForPopView() {
    if (lightVCDelegate) lightVCDelegate->mouseExitForPopVC();
}

}  // namespace ui
