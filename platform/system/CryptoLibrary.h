#pragma once

#include "platform/system/SystemLibrary.h"

#include <openssl/crypto.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/rand.h>

namespace platform {

// The calls made into OpenSSL's libcrypto (the shredder's random bytes, the install report's
// machine digest), which is loaded on first use rather than with the application: it is one of
// the largest libraries the process would otherwise map and relocate before its window shows.
#define DURIDOVE_CRYPTO_CALLS(CALL) \
    CALL(OPENSSL_init_crypto) CALL(ERR_error_string_n) CALL(ERR_get_error) CALL(EVP_sha256) CALL(HMAC) CALL(RAND_bytes)

struct CryptoLibrary {
    DURIDOVE_CRYPTO_CALLS(DURIDOVE_LIBRARY_POINTER)

    // The library with every call found, loaded once for the process and never unloaded;
    // nullptr (said once in the log) when it is missing or lacks a call.
    static const CryptoLibrary* loaded();
};

}  // namespace platform
