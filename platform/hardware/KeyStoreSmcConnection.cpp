#include "platform/hardware/KeyStoreSmcConnection.h"

#include <algorithm>

namespace platform {

KeyStoreSmcConnection::KeyStoreSmcConnection(StoreOpener opener) : opener_(std::move(opener)) {}

int KeyStoreSmcConnection::open() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!store_) store_ = opener_();
    isOpen_ = store_ != nullptr;
    return isOpen_ ? kIOReturnSuccess : kIOReturnNoDevice;
}

void KeyStoreSmcConnection::close() {
    std::lock_guard<std::mutex> lock(mutex_);
    isOpen_ = false;
}

int KeyStoreSmcConnection::callStructMethod(uint32_t selector, const SmcKeyData::Bytes& input,
                                            SmcKeyData::Bytes& output) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!isOpen_) return kIOReturnNotOpen;
    if (selector != kSelectorKeyData) return kIOReturnBadArgument;
    output = answer(SmcKeyData::fromBytes(input)).toBytes();
    return kIOReturnSuccess;
}

SmcKeyData KeyStoreSmcConnection::answer(const SmcKeyData& request) {
    SmcKeyData reply;
    switch (request.data8) {
    case SmcKeyData::kReadKeyInfo:
        if (auto value = store_->readKey(request.key)) {
            reply.keyInfoDataSize = static_cast<uint32_t>(value->bytes.size());
            reply.keyInfoDataType = value->type;
            reply.keyInfoDataAttributes = value->attributes;
        } else {
            reply.result = kResultKeyNotFound;
        }
        break;
    case SmcKeyData::kReadBytes:
        if (request.keyInfoDataSize > reply.bytes.size()) {
            reply.result = kResultBadSize;
        } else if (auto value = store_->readKey(request.key)) {
            size_t count = std::min<size_t>(request.keyInfoDataSize, value->bytes.size());
            std::copy_n(value->bytes.begin(), count, reply.bytes.begin());
        } else {
            reply.result = kResultKeyNotFound;
        }
        break;
    case SmcKeyData::kReadIndex:
        if (auto key = store_->keyAtIndex(request.data32)) reply.key = *key;
        else reply.result = kResultKeyNotFound;
        break;
    default:
        reply.result = kResultBadCommand;
    }
    return reply;
}

}  // namespace platform
