#pragma once

#include "core/kit/LatestTaskQueue.h"

#include <QObject>

#include <optional>

namespace ui {

// One reading of the default output device.
struct OutputVolumeReading {
    bool hasDevice = false;
    double volume = 0;  // 0 to 1, as core::getMasterVolume gives it
};

// The default output device's volume as the panel's controls see it. The sound server is asked
// only off the main thread, one reading and one change at a time (a waiting one replaced by a
// newer one), so a server that does not answer holds two workers and never the interface. Each
// reading reaches every listener on the main thread; the last one is kept for the whole
// application, so a fresh panel shows it at once, and a reading that never comes leaves it.
class OutputVolumeControl : public QObject {
    Q_OBJECT
public:
    // Made on the main thread at its first use.
    static OutputVolumeControl& shared();

    const std::optional<OutputVolumeReading>& lastReading() const { return last; }
    // Reads the device again; readingArrived follows once the server has answered.
    void read();
    // Sets the volume (core::setMasterVolume), then reads it back. Changes are applied in the
    // order given, whichever pop-up gave them.
    void setVolume(double volume);

signals:
    void readingArrived(const OutputVolumeReading& reading);

private:
    OutputVolumeControl();
    // On a worker: reads the device and hands the reading to the main thread.
    static void readAndDeliver();
    void take(const OutputVolumeReading& reading);

    core::LatestTaskQueue readings;
    core::LatestTaskQueue changes;
    std::optional<OutputVolumeReading> last;
};

}  // namespace ui
