#include "ui/panel/OutputVolumeControl.h"

#include "core/panel/MasterVolume.h"
#include "ui/kit/desktop/Dispatch.h"

namespace ui {

OutputVolumeControl::OutputVolumeControl() : readings(&Dispatch::globalQueue), changes(&Dispatch::globalQueue) {}

// Never destroyed: a worker may still hand a reading over while the process exits.
OutputVolumeControl& OutputVolumeControl::shared() {
    static OutputVolumeControl* const control = new OutputVolumeControl;
    return *control;
}

void OutputVolumeControl::read() { readings.submit(&OutputVolumeControl::readAndDeliver); }

void OutputVolumeControl::setVolume(double volume) {
    changes.submit([volume] {
        core::setMasterVolume(volume);
        readAndDeliver();
    });
}

void OutputVolumeControl::readAndDeliver() {
    OutputVolumeReading reading;
    reading.hasDevice = core::defaultOutputDeviceID() != 0;
    if (reading.hasDevice) reading.volume = core::getMasterVolume();
    Dispatch::mainQueue([reading] { shared().take(reading); });
}

void OutputVolumeControl::take(const OutputVolumeReading& reading) {
    last = reading;
    emit readingArrived(reading);
}

}  // namespace ui
