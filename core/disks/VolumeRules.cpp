#include "core/disks/VolumeRules.h"

#include <algorithm>
#include <clocale>
#include <cwctype>

#include <locale.h>

namespace core::disks {
namespace {

constexpr size_t kFatNameLength = 11;

std::string lowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

bool isBlank(const std::string& name) { return name.empty() || name == " "; }

// One UTF-8 sequence at a time; a malformed byte stands for itself so nothing is lost.
std::u32string decodeUtf8(const std::string& text) {
    std::u32string characters;
    for (size_t at = 0; at < text.size();) {
        auto lead = static_cast<unsigned char>(text[at]);
        int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        bool whole = length > 0 && at + length <= text.size();
        for (int i = 1; whole && i < length; ++i) whole = (static_cast<unsigned char>(text[at + i]) >> 6) == 0x2;
        if (!whole) {
            characters.push_back(lead);
            ++at;
            continue;
        }
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (int i = 1; i < length; ++i) code = (code << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
        characters.push_back(code);
        at += length;
    }
    return characters;
}

std::string encodeUtf8(const std::u32string& characters) {
    std::string text;
    for (char32_t code : characters) {
        if (code < 0x80) {
            text += static_cast<char>(code);
        } else if (code < 0x800) {
            text += static_cast<char>(0xC0 | (code >> 6));
            text += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            text += static_cast<char>(0xE0 | (code >> 12));
            text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            text += static_cast<char>(0xF0 | (code >> 18));
            text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return text;
}

// Unicode case mapping from the C library's UTF-8 locale, whatever locale the process runs in.
char32_t upperCase(char32_t code) {
    static locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (!utf8) return code < 0x80 ? static_cast<char32_t>(std::toupper(static_cast<int>(code))) : code;
    return static_cast<char32_t>(towupper_l(static_cast<wint_t>(code), utf8));
}

}  // namespace

bool VolumeRules::isVolumeMounted(const VolumeObj& volume) {
    if (volume.volumeFreeSizeNum != 0 && volume.diskType != "APFS") return true;
    return !volume.volumeMountPoint.empty();
}

RowButtons VolumeRules::buttonsFor(const VolumeObj& volume) {
    RowButtons buttons;
    buttons.isMount = isVolumeMounted(volume);
    buttons.rename = buttons.isMount && !contains(lowerAscii(volume.diskType), "ntfs");
    buttons.format = buttons.isMount && volume.volumeMountPoint != "/";
    buttons.eject = volume.bCanEject;
    buttons.open = buttons.isMount;
    buttons.mount = volume.bCanEject;
    buttons.firstaid = buttons.isMount;
    buttons.mountTitle = buttons.isMount ? kMountedTitle : kUnmountedTitle;
    return buttons;
}

bool VolumeRules::isApfsType(const std::string& type) { return contains(lowerAscii(type), "apfs"); }

std::string VolumeRules::fat32Name(const std::string& name) {
    std::u32string characters = decodeUtf8(name);
    if (characters.size() > kFatNameLength) characters.resize(kFatNameLength);
    for (auto& code : characters) code = upperCase(code);
    return encodeUtf8(characters);
}

std::optional<std::string> VolumeRules::renameName(const VolumeObj& volume, const std::string& name) {
    if (isBlank(name)) return std::nullopt;
    return contains(lowerAscii(volume.diskType), "fat32") ? fat32Name(name) : name;
}

std::string VolumeRules::formatName(const std::string& typeText, const std::string& name) {
    if (isBlank(name)) return "NEW";
    return typeText == "MS-DOS FAT32" ? fat32Name(name) : name;
}

std::string VolumeRules::offeredTypeText(const std::string& diskType) {
    if (diskType.rfind("MS-DOS", 0) == 0) return "MS-DOS FAT32";
    if (diskType == "ext4" || diskType == "Mac OS Extended") return kJournaledTypeText;
    return diskType;
}

std::string VolumeRules::formatType(const std::string& typeText) {
    return typeText == kJournaledTypeText ? "Journaled HFS+" : typeText;
}

std::vector<std::string> VolumeRules::firstAidArguments(const VolumeObj& volume, bool repair) {
    return {repair ? "repairvolume" : "verifyvolume", volume.volumePath};
}

double VolumeRules::aidProgressShown(double value) {
    if (value == kAidFinished) return 100;
    return std::min(5 * value, 99.0);
}

}  // namespace core::disks
