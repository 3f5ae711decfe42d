#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace core {

// Cryptographically secure random bytes and numbers for the shredder: the overwrite
// patterns and the throw-away names a file takes before it is removed. Tests derive from it
// to put known patterns and names in place.
class SecureRandom {
public:
    virtual ~SecureRandom() = default;

    // Fills the buffer with fresh random bytes; false (with a log line) when the generator fails.
    virtual bool fill(unsigned char* buffer, size_t length);
    // A uniformly distributed number below bound (bound > 0), free of modulo bias.
    virtual uint32_t uniform(uint32_t bound);

    // length lower-case letters a to z, each drawn uniformly.
    std::string randomFileName(size_t length = 15);
};

}  // namespace core
