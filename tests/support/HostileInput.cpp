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

// A binary property list of arrays only: arrays[i] lists the objects array i holds; object 0
// is the top.
std::string binaryListOfArrays(const std::vector<std::vector<uint64_t>>& arrays) {
    const unsigned referenceSize = sizeFor(arrays.size());
    std::string bytes = "bplist00";
    std::vector<uint64_t> offsets;
    for (const auto& items : arrays) {
        offsets.push_back(bytes.size());
        if (items.size() < 15) {
            bytes += static_cast<char>(0xA0 | items.size());
        } else {
            bytes += static_cast<char>(0xAF);
            bytes += static_cast<char>(0x13);
            bytes += bigEndian(items.size(), 8);
        }
        for (uint64_t item : items) bytes += bigEndian(item, referenceSize);
    }
    const uint64_t offsetTable = bytes.size();
    const unsigned offsetSize = sizeFor(offsetTable);
    for (uint64_t offset : offsets) bytes += bigEndian(offset, offsetSize);
    bytes += std::string(6, '\0');
    bytes += static_cast<char>(offsetSize);
    bytes += static_cast<char>(referenceSize);
    bytes += bigEndian(arrays.size(), 8) + bigEndian(0, 8) + bigEndian(offsetTable, 8);
    return bytes;
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

std::string nestedJsonArrays(size_t levels) { return repeatedText("[", levels) + repeatedText("]", levels); }

}  // namespace testsupport
