#pragma once

#include <functional>
#include <string>

namespace platform {

enum class LogLevel { Info, Warning, Error };

// The one log function of every layer. Lines go to standard error through a buffer that a
// writer thread of its own empties within a few milliseconds, so a caller never waits on the
// terminal or the journal, however many threads log at once; warnings and errors keep their
// place among the other lines and also go to syslog (information lines stay out of the system
// log), a burst of them bounded there. The buffer is flushed at exit.
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
