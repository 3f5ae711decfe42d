#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

namespace testsupport {

// The unprivileged account that permission tests run as.
constexpr uid_t nobodyId = 65534;

bool runningAsRoot();

// Runs body in a forked child that has dropped to user and group 65534, and returns the text
// the body returned. A child that could not drop its rights, or did not exit cleanly, gives a
// text that starts with "child failed". The body must not use test assertions: it reports
// through its text. The test must not have started a thread before the call (a pool, a bus
// connection, or the log's writer, which a test's testsupport::LogCapture keeps from starting):
// a child forked from a process with other threads may not run the body, and the call then
// gives "child failed" with the number of threads.
std::string runAsNobody(const std::function<std::string()>& body);

// The same in a forked child that keeps its rights, for changes (such as resource limits) that
// must not reach the test process.
std::string runInChild(const std::function<std::string()>& body);

}  // namespace testsupport
