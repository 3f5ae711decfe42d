#include "platform/system/Log.h"

#include "platform/system/LogWriter.h"

#include <pthread.h>
#include <syslog.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <optional>

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

int syslogPriority(LogLevel level) { return level == LogLevel::Error ? LOG_ERR : LOG_WARNING; }

// The process id of the lines, read once per process: getpid is a system call.
pid_t& processId() {
    static pid_t pid = [] {
        pthread_atfork(nullptr, nullptr, [] { processId() = getpid(); });
        return getpid();
    }();
    return pid;
}

// Never destroyed: lines logged while other static objects are torn down still find it.
LogWriter& writer() {
    static LogWriter* instance = [] {
        auto* made = new LogWriter(STDERR_FILENO, [](const LogWriter::SystemLine& line) {
            static std::once_flag opened;
            std::call_once(opened, [] { openlog("Duridove", LOG_PID, LOG_USER); });
            syslog(line.priority, "%s", line.text.c_str());
        });
        std::atexit([] { writer().finish(); });
        return made;
    }();
    return *instance;
}

void writeDefault(LogLevel level, const std::string& line) {
    std::string text = "Duridove[" + std::to_string(processId()) + "] " + levelName(level) + ": ";
    text += line;
    text += '\n';
    std::optional<LogWriter::SystemLine> systemLine;
    if (level != LogLevel::Info) systemLine = LogWriter::SystemLine{syslogPriority(level), line};
    writer().append(std::move(text), std::move(systemLine));
}

}  // namespace

void log(LogLevel level, const std::string& line) {
    {
        std::lock_guard<std::mutex> lock(sinkMutex());
        if (installedSink()) {
            installedSink()(level, line);
            return;
        }
    }
    writeDefault(level, line);
}

void flushLog() { writer().flush(); }

void setLogSink(LogSink sink) {
    std::lock_guard<std::mutex> lock(sinkMutex());
    installedSink() = std::move(sink);
}

}  // namespace platform
