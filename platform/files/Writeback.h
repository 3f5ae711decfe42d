#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// Asks the kernel to start writing a range of an open file's dirty pages to the device now,
// without waiting for it. A long write that calls this after each piece keeps the device busy
// while the next piece is made, instead of leaving the whole file to the flush that ends it.
// Only a hint: a file system that cannot take it is left to its own writeback, and the caller's
// fdatasync stays what makes the data durable and reports its errors.
void startWriteback(int fd, std::uint64_t offset, std::size_t length);

// Drops the range's pages that have already reached the device from the page cache; pages still
// dirty or being written are left. Freeing a written file's pages as the write goes on costs
// less than freeing them all at once when the file is emptied.
void dropWrittenPages(int fd, std::uint64_t offset, std::size_t length);

}  // namespace platform
