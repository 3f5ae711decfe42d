#include "platform/system/CryptoLibrary.h"

namespace platform {
namespace {

bool findCalls(const SystemLibrary& library, CryptoLibrary& calls) {
    bool complete = true;
    DURIDOVE_CRYPTO_CALLS(DURIDOVE_LIBRARY_FIND)
    return complete;
}

}  // namespace

const CryptoLibrary* CryptoLibrary::loaded() { return loadedCallTable<CryptoLibrary>("libcrypto.so.3", "Cryptography", findCalls); }

}  // namespace platform
