#include "platform/system/BinaryPlistShape.h"

#include <algorithm>
#include <vector>

namespace platform {
namespace {

constexpr uint64_t kHeaderSize = 8;    // "bplist00"
constexpr uint64_t kTrailerSize = 32;  // 6 unused bytes, offset size, reference size, 3 numbers
constexpr uint64_t kOffsetSizeAt = 6;
constexpr uint64_t kReferenceSizeAt = 7;
constexpr uint64_t kObjectCountAt = 8;
constexpr uint64_t kTopObjectAt = 16;
constexpr uint64_t kOffsetTableAt = 24;

// An object's first byte: its kind in the high four bits; a container's count in the low four,
// or 0xF and an integer object holding it.
constexpr uint8_t kKindMask = 0xF0;
constexpr uint8_t kInteger = 0x10;
constexpr uint8_t kAsciiText = 0x50;
constexpr uint8_t kUtf16Text = 0x60;
constexpr uint8_t kUtf8Text = 0x70;
constexpr uint8_t kArray = 0xA0;
constexpr uint8_t kSet = 0xC0;
constexpr uint8_t kDictionary = 0xD0;
constexpr uint8_t kCountFollows = 0x0F;

}  // namespace

BinaryPlistShape::Verdict BinaryPlistShape::measure(std::string_view bytes, size_t deepest, uint64_t mostNodes) {
    BinaryPlistShape shape(bytes);
    if (!shape.readTrailer()) return Verdict::Unreadable;
    return shape.walk(deepest, mostNodes);
}

bool BinaryPlistShape::readTrailer() {
    if (bytes_.size() < kHeaderSize + kTrailerSize) return false;
    dataEnd_ = bytes_.size() - kTrailerSize;
    const uint64_t end = bytes_.size();
    offsetSize_ = *number(dataEnd_ + kOffsetSizeAt, 1, end);
    referenceSize_ = *number(dataEnd_ + kReferenceSizeAt, 1, end);
    objectCount_ = *number(dataEnd_ + kObjectCountAt, 8, end);
    topObject_ = *number(dataEnd_ + kTopObjectAt, 8, end);
    offsetTable_ = *number(dataEnd_ + kOffsetTableAt, 8, end);
    if (offsetSize_ < 1 || offsetSize_ > 8 || referenceSize_ < 1 || referenceSize_ > 8) return false;
    if (objectCount_ == 0 || topObject_ >= objectCount_) return false;
    if (offsetTable_ < kHeaderSize || offsetTable_ > dataEnd_) return false;
    return objectCount_ <= (dataEnd_ - offsetTable_) / offsetSize_;
}

std::optional<uint64_t> BinaryPlistShape::number(uint64_t position, uint64_t size, uint64_t end) const {
    if (size < 1 || size > 8 || position > end || size > end - position) return std::nullopt;
    uint64_t value = 0;
    for (uint64_t index = 0; index < size; ++index)
        value = value << 8 | static_cast<uint8_t>(bytes_[position + index]);
    return value;
}

std::optional<BinaryPlistShape::Counted> BinaryPlistShape::countedAt(uint64_t object) const {
    const auto offset = number(offsetTable_ + object * offsetSize_, offsetSize_, dataEnd_);
    if (!offset || *offset < kHeaderSize || *offset >= dataEnd_) return std::nullopt;
    const uint8_t marker = static_cast<uint8_t>(bytes_[*offset]);
    Counted counted{static_cast<uint8_t>(marker & kKindMask), uint64_t{marker} & kCountFollows, *offset + 1};
    if (counted.count != kCountFollows) return counted;
    const auto countMarker = number(counted.position, 1, dataEnd_);
    if (!countMarker || (*countMarker & kKindMask) != kInteger) return std::nullopt;
    const uint64_t size = uint64_t{1} << (*countMarker & 0x0F);
    const auto followingCount = number(counted.position + 1, size, dataEnd_);
    if (!followingCount) return std::nullopt;
    counted.count = *followingCount;
    counted.position += 1 + size;
    return counted;
}

std::optional<BinaryPlistShape::References> BinaryPlistShape::referencesOf(uint64_t object) const {
    const auto counted = countedAt(object);
    if (!counted) return std::nullopt;
    const bool dictionary = counted->kind == kDictionary;
    if (counted->kind != kArray && counted->kind != kSet && !dictionary) return References{};
    const uint64_t perEntry = dictionary ? 2 : 1;
    if (counted->count > (dataEnd_ - counted->position) / referenceSize_ / perEntry) return std::nullopt;
    return References{true, dictionary, counted->position, counted->count * perEntry};
}

std::optional<bool> BinaryPlistShape::holdsZero(uint64_t object) const {
    const auto counted = countedAt(object);
    if (!counted) return std::nullopt;
    if (counted->kind != kAsciiText && counted->kind != kUtf16Text && counted->kind != kUtf8Text) return false;
    const uint64_t unit = counted->kind == kUtf16Text ? 2 : 1;
    if (counted->count > (dataEnd_ - counted->position) / unit) return std::nullopt;
    const std::string_view text = bytes_.substr(counted->position, counted->count * unit);
    for (size_t index = 0; index < text.size(); index += unit)
        if (text.substr(index, unit).find_first_not_of('\0') == std::string_view::npos) return true;
    return false;
}

std::optional<uint64_t> BinaryPlistShape::reference(const References& references, uint64_t index) const {
    const auto object = number(references.first + index * referenceSize_, referenceSize_, dataEnd_);
    if (!object || *object >= objectCount_) return std::nullopt;
    return object;
}

// Depth first from the top object without recursion, each object measured once and its measure
// reused wherever it is referred to again.
BinaryPlistShape::Verdict BinaryPlistShape::walk(size_t deepest, uint64_t mostNodes) const {
    std::vector<Measure> measures(objectCount_);
    std::vector<Step> path;
    // Adds a measured object to the container it lies in.
    auto addToParent = [&](const Measure& child) {
        if (path.empty()) return Verdict::Fits;
        Measure& parent = path.back().measure;
        if (path.size() + child.depth > deepest) return Verdict::TooDeep;
        parent.depth = std::max(parent.depth, child.depth + 1);
        parent.nodes += child.nodes;
        return parent.nodes > mostNodes ? Verdict::TooLarge : Verdict::Fits;
    };
    // Measures a leaf at once and puts a container on the path.
    auto enter = [&](uint64_t object) {
        Measure& measure = measures[object];
        if (measure.state == Measure::OnPath) return Verdict::RefersToItself;
        if (measure.state == Measure::Measured) return addToParent(measure);
        const auto references = referencesOf(object);
        if (!references) return Verdict::Unreadable;
        if (!references->container) {
            measure = Measure{1, 0, Measure::Measured, measure.checkedAsKey};
            return addToParent(measure);
        }
        if (path.size() == deepest) return Verdict::TooDeep;
        measure.state = Measure::OnPath;
        path.push_back(Step{object, *references});
        return Verdict::Fits;
    };
    Verdict verdict = enter(topObject_);
    while (verdict == Verdict::Fits && !path.empty()) {
        Step& step = path.back();
        if (step.next < step.references.count) {
            const bool key = step.references.dictionary && step.next < step.references.count / 2;
            const auto child = reference(step.references, step.next++);
            if (!child) {
                verdict = Verdict::Unreadable;
                continue;
            }
            // A key shared by many dictionaries is looked at once.
            if (key && !measures[*child].checkedAsKey) {
                const auto zero = holdsZero(*child);
                measures[*child].checkedAsKey = true;
                if (!zero || *zero) {
                    verdict = zero ? Verdict::ZeroInKey : Verdict::Unreadable;
                    continue;
                }
            }
            verdict = enter(*child);
            continue;
        }
        const Measure finished{step.measure.nodes, step.measure.depth, Measure::Measured,
                               measures[step.object].checkedAsKey};
        measures[step.object] = finished;
        path.pop_back();
        verdict = addToParent(finished);
    }
    return verdict;
}

}  // namespace platform
