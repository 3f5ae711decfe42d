#include "platform/system/CryptoLibrary.h"

namespace platform {

DURIDOVE_LIBRARY_LOADED(CryptoLibrary, DURIDOVE_CRYPTO_CALLS, "libcrypto.so.3", "Cryptography")

}  // namespace platform
