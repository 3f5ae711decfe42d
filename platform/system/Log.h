#pragma once

#include <functional>
#include <string>

namespace platform {

enum class LogLevel { Info, Warning, Error };

// The one log function of every layer. Lines go to standard error through a buffer that a
// writer thread of its own empties, so a caller never waits on the terminal or the journal;
// a warning or an error is written at once, after every line before it, and also goes to
// syslog (information lines stay out of the system log). The buffer is flushed at exit.
void log(LogLevel level, const std::string& line);
inline void logInfo(const std::string& line) { log(LogLevel::Info, line); }
inline void logWarning(const std::string& line) { log(LogLevel::Warning, line); }
inline void logError(const std::string& line) { log(LogLevel::Error, line); }

// Writes every line logged so far to standard error before it returns.
void flushLog();

// Tests capture the lines instead, synchronously; an empty function restores the default output.
using LogSink = std::function<void(LogLevel, const std::string&)>;
void setLogSink(LogSink sink);

}  // namespace platform
