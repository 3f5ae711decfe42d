#include "platform/audio/PulseOutputVolume.h"

#include "platform/system/Log.h"

#include "platform/audio/PulseLibrary.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace platform {
namespace {

constexpr pa_usec_t kAnswerTime = 3 * PA_USEC_PER_SEC;

// Only reached once the constructor found the library.
const PulseLibrary& pulse() { return *PulseLibrary::loaded(); }

void wake(pa_threaded_mainloop* loop) { pulse().pa_threaded_mainloop_signal(loop, 0); }

struct ServerReply {
    pa_threaded_mainloop* loop;
    bool answered = false;
    std::string defaultSink;
};

struct SinkReply {
    pa_threaded_mainloop* loop;
    bool found = false;
    uint32_t index = PA_INVALID_INDEX;
    pa_cvolume volume{};
};

struct SuccessReply {
    pa_threaded_mainloop* loop;
    bool succeeded = false;
};

void onServerInfo(pa_context*, const pa_server_info* info, void* data) {
    auto* reply = static_cast<ServerReply*>(data);
    reply->answered = true;
    if (info && info->default_sink_name) reply->defaultSink = info->default_sink_name;
    wake(reply->loop);
}

void onSinkInfo(pa_context*, const pa_sink_info* info, int endOfList, void* data) {
    auto* reply = static_cast<SinkReply*>(data);
    if (!endOfList && info) {
        reply->found = true;
        reply->index = info->index;
        reply->volume = info->volume;
    }
    wake(reply->loop);
}

void onSuccess(pa_context*, int success, void* data) {
    auto* reply = static_cast<SuccessReply*>(data);
    reply->succeeded = success != 0;
    wake(reply->loop);
}

uint32_t deviceOfSink(uint32_t index) { return index + 1; }
uint32_t sinkOfDevice(uint32_t device) { return device - 1; }

}  // namespace

struct PulseOutputVolume::Sink {
    uint32_t index;
    pa_cvolume volume;
};

// Holds the main loop's lock, which every call into the library outside the loop needs.
class PulseOutputVolume::LoopLock {
public:
    explicit LoopLock(pa_threaded_mainloop* loop) : loop_(loop) { pulse().pa_threaded_mainloop_lock(loop_); }
    ~LoopLock() { pulse().pa_threaded_mainloop_unlock(loop_); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

private:
    pa_threaded_mainloop* loop_;
};

PulseOutputVolume::PulseOutputVolume() {
    if (!PulseLibrary::loaded()) return;
    loop_ = pulse().pa_threaded_mainloop_new();
    if (loop_ && pulse().pa_threaded_mainloop_start(loop_) < 0) {
        pulse().pa_threaded_mainloop_free(loop_);
        loop_ = nullptr;
    }
    if (!loop_) logWarning("Sound: the PulseAudio main loop could not be started");
}

PulseOutputVolume::~PulseOutputVolume() {
    if (!loop_) return;
    {
        LoopLock lock(loop_);
        dropContextLocked();
    }
    pulse().pa_threaded_mainloop_stop(loop_);
    pulse().pa_threaded_mainloop_free(loop_);
}

void PulseOutputVolume::dropContextLocked() {
    if (!context_) return;
    pulse().pa_context_set_state_callback(context_, nullptr, nullptr);
    pulse().pa_context_disconnect(context_);
    pulse().pa_context_unref(context_);
    context_ = nullptr;
}

bool PulseOutputVolume::waitLocked(const std::function<bool()>& done) {
    struct Alarm {
        pa_threaded_mainloop* loop;
        bool rang = false;
    } alarm{loop_};
    pa_mainloop_api* api = pulse().pa_threaded_mainloop_get_api(loop_);
    timeval deadline;
    pulse().pa_timeval_add(pulse().pa_gettimeofday(&deadline), kAnswerTime);
    pa_time_event* event = api->time_new(
        api, &deadline,
        [](pa_mainloop_api*, pa_time_event*, const timeval*, void* data) {
            auto* ringing = static_cast<Alarm*>(data);
            ringing->rang = true;
            wake(ringing->loop);
        },
        &alarm);
    while (!done() && !alarm.rang) pulse().pa_threaded_mainloop_wait(loop_);
    api->time_free(event);
    return done();
}

bool PulseOutputVolume::awaitLocked(pa_operation* operation) {
    if (!operation) return false;
    const bool ended = waitLocked([operation] { return pulse().pa_operation_get_state(operation) != PA_OPERATION_RUNNING; });
    if (!ended) pulse().pa_operation_cancel(operation);
    pulse().pa_operation_unref(operation);
    return ended;
}

bool PulseOutputVolume::connectLocked() {
    if (!loop_) return false;
    if (context_ && pulse().pa_context_get_state(context_) == PA_CONTEXT_READY) return true;
    dropContextLocked();
    context_ = pulse().pa_context_new(pulse().pa_threaded_mainloop_get_api(loop_), "Duridove");
    if (!context_) return false;
    pulse().pa_context_set_state_callback(
        context_, [](pa_context*, void* loop) { wake(static_cast<pa_threaded_mainloop*>(loop)); }, loop_);
    // A server that is not running is not started for us: the volume is then simply missing.
    if (pulse().pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        waitLocked([this] {
            const pa_context_state_t state = pulse().pa_context_get_state(context_);
            return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
        });
    }
    if (pulse().pa_context_get_state(context_) == PA_CONTEXT_READY) {
        reportedNoServer_ = false;
        return true;
    }
    if (!reportedNoServer_)
        logInfo(std::string("Sound: no PulseAudio server answers (") + pulse().pa_strerror(pulse().pa_context_errno(context_)) + ")");
    reportedNoServer_ = true;
    dropContextLocked();
    return false;
}

std::optional<PulseOutputVolume::Sink> PulseOutputVolume::sinkLocked(uint32_t device) {
    if (device == 0 || !connectLocked()) return std::nullopt;
    SinkReply reply{loop_};
    if (!awaitLocked(pulse().pa_context_get_sink_info_by_index(context_, sinkOfDevice(device), onSinkInfo, &reply)) ||
        !reply.found)
        return std::nullopt;
    return Sink{reply.index, reply.volume};
}

uint32_t PulseOutputVolume::defaultOutputDeviceID() {
    std::lock_guard<std::mutex> calls(calls_);
    if (!loop_) return 0;
    LoopLock lock(loop_);
    if (!connectLocked()) return 0;
    ServerReply server{loop_};
    if (!awaitLocked(pulse().pa_context_get_server_info(context_, onServerInfo, &server)) || server.defaultSink.empty())
        return 0;
    SinkReply sink{loop_};
    if (!awaitLocked(pulse().pa_context_get_sink_info_by_name(context_, server.defaultSink.c_str(), onSinkInfo, &sink)) ||
        !sink.found)
        return 0;
    return deviceOfSink(sink.index);
}

std::optional<double> PulseOutputVolume::volume(uint32_t device) {
    std::lock_guard<std::mutex> calls(calls_);
    if (!loop_) return std::nullopt;
    LoopLock lock(loop_);
    auto sink = sinkLocked(device);
    if (!sink || !pulse().pa_cvolume_valid(&sink->volume)) return std::nullopt;
    return std::min(1.0, double(pulse().pa_cvolume_max(&sink->volume)) / PA_VOLUME_NORM);
}

bool PulseOutputVolume::canSetVolume(uint32_t device) {
    std::lock_guard<std::mutex> calls(calls_);
    if (!loop_) return false;
    LoopLock lock(loop_);
    return sinkLocked(device).has_value();
}

bool PulseOutputVolume::canMute(uint32_t device) { return canSetVolume(device); }

bool PulseOutputVolume::setVolume(uint32_t device, double volume) {
    if (!(volume >= 0 && volume <= 1)) return false;
    std::lock_guard<std::mutex> calls(calls_);
    if (!loop_) return false;
    LoopLock lock(loop_);
    auto sink = sinkLocked(device);
    if (!sink) return false;
    pa_cvolume channels = sink->volume;
    pulse().pa_cvolume_scale(&channels, pa_volume_t(std::lround(volume * PA_VOLUME_NORM)));
    SuccessReply reply{loop_};
    return awaitLocked(pulse().pa_context_set_sink_volume_by_index(context_, sink->index, &channels, onSuccess, &reply)) &&
           reply.succeeded;
}

bool PulseOutputVolume::setMute(uint32_t device, bool mute) {
    std::lock_guard<std::mutex> calls(calls_);
    if (!loop_ || device == 0) return false;
    LoopLock lock(loop_);
    if (!connectLocked()) return false;
    SuccessReply reply{loop_};
    return awaitLocked(pulse().pa_context_set_sink_mute_by_index(context_, sinkOfDevice(device), mute, onSuccess, &reply)) &&
           reply.succeeded;
}

}  // namespace platform
