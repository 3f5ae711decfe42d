#include "platform/system/Log.h"

#include <syslog.h>
#include <unistd.h>

#include <cstdio>
#include <mutex>

namespace platform {
namespace {

std::mutex& sinkMutex() {
    static std::mutex mutex;
    return mutex;
}

LogSink& installedSink() {
    static LogSink sink;
    return sink;
}

const char* levelName(LogLevel level) {
    switch (level) {
    case LogLevel::Info: return "info";
    case LogLevel::Warning: return "warning";
    case LogLevel::Error: return "error";
    }
    return "info";
}

int syslogPriority(LogLevel level) {
    switch (level) {
    case LogLevel::Info: return LOG_INFO;
    case LogLevel::Warning: return LOG_WARNING;
    case LogLevel::Error: return LOG_ERR;
    }
    return LOG_INFO;
}

void writeDefault(LogLevel level, const std::string& line) {
    static std::once_flag opened;
    std::call_once(opened, [] { openlog("Duridove", LOG_PID, LOG_USER); });
    std::fprintf(stderr, "Duridove[%d] %s: %s\n", static_cast<int>(getpid()), levelName(level), line.c_str());
    syslog(syslogPriority(level), "%s", line.c_str());
}

}  // namespace

void log(LogLevel level, const std::string& line) {
    std::lock_guard<std::mutex> lock(sinkMutex());
    if (installedSink()) {
        installedSink()(level, line);
        return;
    }
    writeDefault(level, line);
}

void setLogSink(LogSink sink) {
    std::lock_guard<std::mutex> lock(sinkMutex());
    installedSink() = std::move(sink);
}

}  // namespace platform
