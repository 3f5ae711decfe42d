#include "platform/hardware/AppleSmcKeyStore.h"

#include "platform/system/KernelFiles.h"
#include "platform/hardware/SmcKeyData.h"
#include "platform/hardware/SmcKeyTable.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

// The driver's own count is taken as it stands, but never walked past this many keys.
constexpr uint32_t kMaximumKeys = 8192;

bool writeText(const std::string& path, const std::string& text) {
    FileDescriptor file = openKernelFile(path, O_WRONLY);
    return file.isOpen() && write(file.get(), text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

}  // namespace

std::unique_ptr<AppleSmcKeyStore> AppleSmcKeyStore::open(const std::string& deviceFolder) {
    auto count = readKernelNumber(deviceFolder + "/key_count");
    if (!count || *count <= 0) return nullptr;
    if (!writeText(deviceFolder + "/key_at_index", "0")) return nullptr;
    auto keys = static_cast<uint32_t>(std::min<int64_t>(*count, kMaximumKeys));
    return std::unique_ptr<AppleSmcKeyStore>(new AppleSmcKeyStore(deviceFolder, keys));
}

AppleSmcKeyStore::AppleSmcKeyStore(std::string folder, uint32_t keyCount)
    : folder_(std::move(folder)), keyCount_(keyCount) {}

bool AppleSmcKeyStore::select(uint32_t index) {
    return index < keyCount_ && writeText(file("key_at_index"), std::to_string(index));
}

std::optional<uint32_t> AppleSmcKeyStore::keyAtIndex(uint32_t index) {
    if (!select(index)) return std::nullopt;
    auto name = readKernelAttribute(file("key_at_index_name"));
    if (!name || name->size() != 4) return std::nullopt;
    return smcCode(*name);
}

std::optional<uint32_t> AppleSmcKeyStore::indexOfKey(uint32_t key) {
    if (indexByKey_.empty()) {
        for (uint32_t index = 0; index < keyCount_; ++index) {
            if (auto found = keyAtIndex(index)) indexByKey_.emplace(*found, index);
        }
    }
    auto found = indexByKey_.find(key);
    if (found == indexByKey_.end()) return std::nullopt;
    return found->second;
}

std::optional<SmcKeyValue> AppleSmcKeyStore::readKey(uint32_t key) {
    if (key == smcCode("#KEY")) {
        return SmcKeyValue{smcCode("ui32"), 0x80, ui32Bytes(keyCount_)};
    }
    auto index = indexOfKey(key);
    if (!index || !select(*index)) return std::nullopt;
    // Types such as "ui8 " end in a space that belongs to them: only the line end is dropped.
    auto type = readKernelFile(file("key_at_index_type"));
    auto data = readKernelFile(file("key_at_index_data"));
    if (!type || !data || data->size() > 32) return std::nullopt;
    return SmcKeyValue{smcCode(type->substr(0, type->find('\n'))), 0x80, std::vector<uint8_t>(data->begin(), data->end())};
}

}  // namespace platform
