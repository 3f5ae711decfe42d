#pragma once

#include "platform/audio/OutputVolume.h"

#include <functional>
#include <mutex>

struct pa_context;
struct pa_operation;
struct pa_threaded_mainloop;

namespace platform {

// The default sink of the PulseAudio server (PipeWire's PulseAudio server answers the same),
// over one connection on a threaded main loop, made on first use and made again once the
// server has gone away. Sink index i is device i + 1. A volume is the loudest channel against
// the sink's normal level; setting one scales all channels, so the balance stays. No call
// waits longer than a few seconds for the server.
class PulseOutputVolume : public OutputVolume {
public:
    PulseOutputVolume();
    ~PulseOutputVolume() override;
    PulseOutputVolume(const PulseOutputVolume&) = delete;
    PulseOutputVolume& operator=(const PulseOutputVolume&) = delete;

    uint32_t defaultOutputDeviceID() override;
    std::optional<double> volume(uint32_t device) override;
    bool canSetVolume(uint32_t device) override;
    bool canMute(uint32_t device) override;
    bool setVolume(uint32_t device, double volume) override;
    bool setMute(uint32_t device, bool mute) override;

private:
    struct Sink;
    class LoopLock;

    bool connectLocked();
    void dropContextLocked();
    std::optional<Sink> sinkLocked(uint32_t device);
    // Waits for the server until done() holds or the answer time is up; true when done.
    bool waitLocked(const std::function<bool()>& done);
    // Waits for an operation to end, cancelling it when the server does not answer in time.
    bool awaitLocked(pa_operation* operation);

    std::mutex calls_;  // one caller at a time: a wait lets the loop's own lock go
    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    bool reportedNoServer_ = false;
};

}  // namespace platform
