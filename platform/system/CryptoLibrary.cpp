#include "platform/system/CryptoLibrary.h"

#include "platform/system/Log.h"

#include <string>

namespace platform {
namespace {

constexpr const char* kLibraryFile = "libcrypto.so.3";

// By default OpenSSL frees its state from an exit handler of its own. A worker thread that drew
// random bytes can still be ending then, and its share of that state is freed by the thread's
// end after the handler has run, or never. Set up without that handler, the library's state
// simply lasts as long as the process.
bool startWithoutExitHandler(const CryptoLibrary& crypto) {
    if (crypto.OPENSSL_init_crypto(OPENSSL_INIT_NO_ATEXIT, nullptr) == 1) return true;
    logWarning(std::string("Cryptography: ") + kLibraryFile + " cannot be set up");
    return false;
}

}  // namespace

DURIDOVE_LIBRARY_LOADED_THEN(CryptoLibrary, DURIDOVE_CRYPTO_CALLS, kLibraryFile, "Cryptography",
                             startWithoutExitHandler)

}  // namespace platform
