#include "core/shredder/SecureRandom.h"

#include "platform/system/CryptoLibrary.h"
#include "platform/system/Log.h"

#include <climits>
#include <limits>

namespace core {
namespace {

std::string failureReason(const platform::CryptoLibrary& crypto) {
    char reason[256] = {};
    crypto.ERR_error_string_n(crypto.ERR_get_error(), reason, sizeof reason);
    return reason;
}

bool secureBytes(unsigned char* buffer, size_t length) {
    const platform::CryptoLibrary* crypto = platform::CryptoLibrary::loaded();
    if (!crypto) {
        platform::logError("Secure random bytes unavailable: the cryptography library cannot be used");
        return false;
    }
    // RAND_bytes takes an int length, so larger requests go in pieces.
    while (length > 0) {
        size_t piece = length < size_t(INT_MAX) ? length : size_t(INT_MAX);
        if (crypto->RAND_bytes(buffer, static_cast<int>(piece)) != 1) {
            platform::logError("Secure random bytes unavailable: " + failureReason(*crypto));
            return false;
        }
        buffer += piece;
        length -= piece;
    }
    return true;
}

}  // namespace

bool SecureRandom::fill(unsigned char* buffer, size_t length) { return secureBytes(buffer, length); }

uint32_t SecureRandom::uniform(uint32_t bound) {
    // Draws below the largest multiple of bound are used; the rest are drawn again.
    const uint32_t limit = std::numeric_limits<uint32_t>::max() - std::numeric_limits<uint32_t>::max() % bound;
    for (;;) {
        uint32_t draw = 0;
        if (!secureBytes(reinterpret_cast<unsigned char*>(&draw), sizeof draw)) return 0;
        if (draw < limit) return draw % bound;
    }
}

std::string SecureRandom::randomFileName(size_t length) {
    std::string name;
    for (size_t i = 0; i < length; ++i) name += static_cast<char>('a' + uniform(26));
    return name;
}

}  // namespace core
