#pragma once

#include <functional>
#include <string>

namespace platform {

enum class LogLevel { Info, Warning, Error };

// The one log function of every layer: a line to standard error and to syslog.
void log(LogLevel level, const std::string& line);
inline void logInfo(const std::string& line) { log(LogLevel::Info, line); }
inline void logWarning(const std::string& line) { log(LogLevel::Warning, line); }
inline void logError(const std::string& line) { log(LogLevel::Error, line); }

// Tests capture the lines instead; an empty function restores the default output.
using LogSink = std::function<void(LogLevel, const std::string&)>;
void setLogSink(LogSink sink);

}  // namespace platform
