#pragma once

#include "platform/files/FileDescriptor.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Small text files of /proc and /sys, whose reported size is often 0 and which are read to
// their end in one go. Numbers are C-locale decimal text.

// Opens a /proc or /sys file (flags as for open) only once it is seen to be a regular file,
// so a FIFO or device node in its place never blocks or wakes anything; closed (errno
// EINVAL) for any other kind.
FileDescriptor openKernelFile(const std::string& path, int flags);
// The whole file; nothing (with errno set by the failed call) when it cannot be read.
std::optional<std::string> readKernelFile(const std::string& path);
// A one-value attribute without its trailing white space ("Charging\n" gives "Charging").
std::optional<std::string> readKernelAttribute(const std::string& path);
std::optional<int64_t> readKernelNumber(const std::string& path);
// The names in a folder in byte order; empty when it cannot be listed.
std::vector<std::string> listKernelFolder(const std::string& path);

// A whole decimal text (an optional "-" for the signed one), nothing otherwise.
std::optional<int64_t> parseSignedNumber(std::string_view text);
std::optional<uint64_t> parseUnsignedNumber(std::string_view text);
// The text between a prefix and a suffix of a name ("temp12_input" gives 12), nothing otherwise.
std::optional<uint64_t> numberBetween(std::string_view name, std::string_view prefix, std::string_view suffix);

}  // namespace platform
