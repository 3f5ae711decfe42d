#pragma once

#include "platform/system/PlistValue.h"

#include <optional>
#include <string>

namespace platform {

// Reads the dictionary of a property-list file that its owner writes back whole on every
// change. A missing file reads as an empty dictionary. A file that cannot be read, or holds no
// dictionary, is moved aside to "<path>.broken" (or "<path>.broken-2", ...) with a log line, so
// the next write cannot destroy the values it may still hold; the answer is then an empty
// dictionary. When such a file cannot be moved either, there is no answer: the caller must
// leave the file alone.
std::optional<PlistValue> readRewritableDictionary(const std::string& path);

}  // namespace platform
