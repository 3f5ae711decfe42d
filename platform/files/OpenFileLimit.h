#pragma once

#include <cstddef>

namespace platform {

// The number of descriptors the process may hold open at once.

// Raises the soft limit to the hard one, as programs that open many files do, so a search of
// a large tree never runs out of descriptors that the system would grant; the limit stays as
// it was when it cannot be raised. Called once at start-up.
void raiseOpenFileLimit();

// The soft limit in force now; a large number when there is none.
std::size_t openFileLimit();

}  // namespace platform
