#include "support/HostileInput.h"

#include <cstdint>
#include <vector>

namespace testsupport {
namespace {

std::string bigEndian(uint64_t value, unsigned size) {
    std::string bytes;
    for (unsigned index = size; index-- > 0;) bytes += static_cast<char>(value >> (8 * index) & 0xFF);
    return bytes;
}

unsigned sizeFor(uint64_t largest) {
    unsigned size = 1;
    while (size < 8 && largest >> (8 * size) != 0) ++size;
    return size;
}

// A container's or a text's marker: its kind, and its count in the low four bits or after them.
std::string marker(uint8_t kind, uint64_t count) {
    if (count < 15) return std::string(1, static_cast<char>(kind | count));
    return std::string(1, static_cast<char>(kind | 0x0F)) + static_cast<char>(0x13) + bigEndian(count, 8);
}

std::string references(const std::vector<uint64_t>& objects, unsigned size) {
    std::string bytes;
    for (uint64_t object : objects) bytes += bigEndian(object, size);
    return bytes;
}

// A binary property list of objects given as their encodings, object 0 the top; references in
// them take sizeFor(the number of objects) bytes.
std::string binaryList(const std::vector<std::string>& objects) {
    std::string bytes = "bplist00";
    std::vector<uint64_t> offsets;
    for (const auto& object : objects) {
        offsets.push_back(bytes.size());
        bytes += object;
    }
    const uint64_t offsetTable = bytes.size();
    const unsigned offsetSize = sizeFor(offsetTable);
    bytes += references(offsets, offsetSize);
    bytes += std::string(6, '\0');
    bytes += static_cast<char>(offsetSize);
    bytes += static_cast<char>(sizeFor(objects.size()));
    bytes += bigEndian(objects.size(), 8) + bigEndian(0, 8) + bigEndian(offsetTable, 8);
    return bytes;
}

// Arrays only: arrays[i] lists the objects array i holds.
std::string binaryListOfArrays(const std::vector<std::vector<uint64_t>>& arrays) {
    const unsigned size = sizeFor(arrays.size());
    std::vector<std::string> objects;
    for (const auto& items : arrays) objects.push_back(marker(0xA0, items.size()) + references(items, size));
    return binaryList(objects);
}

// Arrays 0 to levels - 1, each holding the next one the given number of times; the last is empty.
std::string chainOfArrays(size_t levels, size_t copies) {
    std::vector<std::vector<uint64_t>> arrays(levels);
    for (size_t index = 0; index + 1 < levels; ++index) arrays[index].assign(copies, index + 1);
    return binaryListOfArrays(arrays);
}

}  // namespace

std::string repeatedText(const std::string& text, size_t count) {
    std::string result;
    result.reserve(text.size() * count);
    for (size_t index = 0; index < count; ++index) result += text;
    return result;
}

std::string nestedXmlList(size_t levels) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + repeatedText("<array>", levels) +
           repeatedText("</array>", levels) + "</plist>\n";
}

std::string nestedBinaryList(size_t levels) { return chainOfArrays(levels, 1); }

std::string unfoldingBinaryList(size_t levels) { return chainOfArrays(levels, 2); }

std::string selfContainingBinaryList() { return binaryListOfArrays({{0}}); }

std::string binaryDictionary(const std::string& key, const std::string& text) {
    return binaryList({marker(0xD0, 1) + references({1, 2}, 1), marker(0x50, key.size()) + key,
                       marker(0x50, text.size()) + text});
}

std::string nestedJsonArrays(size_t levels) { return repeatedText("[", levels) + repeatedText("]", levels); }

}  // namespace testsupport
